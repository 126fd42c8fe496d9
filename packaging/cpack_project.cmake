# Read by cpack before it packs. The files in the package carry the date of the release in
# debian/changelog (as dpkg-buildpackage dates a package), not the time of the build or of the
# checkout, so that two builds of one tree give the same .deb. A SOURCE_DATE_EPOCH set by the
# caller stays.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    # " -- Kirune developers  Sun, 06 Dec 2026 12:00:00 +0000": the date follows two blanks.
    file(STRINGS ${CPACK_KIRUNE_CHANGELOG} trailer REGEX "^ -- " LIMIT_COUNT 1)
    string(REGEX REPLACE "^ -- .*  " "" release_date "${trailer}")
    execute_process(COMMAND date -u -d "${release_date}" +%s
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                    COMMAND_ERROR_IS_FATAL ANY)
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()
