/* Measures a program as a user meets it on an X server: how long from exec until its window
 * is mapped, how much memory it then holds, and how long from a key press until its window
 * is repainted. It starts the program itself, so the clock starts at the exec, and it learns
 * of the map and the repaint from the server's own events, never from a sleep.
 *
 *   x11_probe startup -- PROGRAM [ARG...]
 *       startup_ms=<exec to MapNotify> rss_kb=<Rss> pss_kb=<Pss>   (memory 1 s after the map)
 *   x11_probe map -- PROGRAM [ARG...]
 *       startup_ms=<exec to MapNotify>, the program stopped at once: many timed starts cost
 *       no second of waiting each
 *   x11_probe keys COUNT [P:]NAME PREP KEY [...] -- PROGRAM [ARG...] [-- PROGRAM [ARG...]]
 *       one line "sample [P:]NAME <ms>" per key, the cases taken in turn COUNT times. PREP is
 *       a comma-separated list of keysym names typed (and left to settle) before the timed
 *       KEY, or "-"; the time runs from the XTest press of KEY to the first damage of the
 *       window. With several programs (up to 4) their windows are laid out one below the other
 *       and P, counted from 0, names the program a case types into: keys to the programs
 *       alternate, so a busy moment of the machine meets all of them alike.
 *
 * Needs a server with the DAMAGE and XTEST extensions and no window manager: the first
 * top-level window mapped after an exec is taken as that program's.
 */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static Display* dpy;
static int damage_event_base;
enum { max_programs = 4 };
static pid_t children[max_programs];
static int child_count = 0;

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec * 1e3 + (double)t.tv_nsec / 1e6;
}

static void stop_children(void) {
    for (int c = 0; c < child_count; ++c) {
        if (children[c] > 0) {
            kill(children[c], SIGTERM);
        }
    }
    for (int c = 0; c < child_count; ++c) {
        if (children[c] <= 0) {
            continue;
        }
        int ended = 0;
        for (int i = 0; i < 200 && !ended; ++i) {
            ended = waitpid(children[c], NULL, WNOHANG) == children[c];
            if (!ended) {
                usleep(10000);
            }
        }
        if (!ended) {
            kill(children[c], SIGKILL);
            waitpid(children[c], NULL, 0);
        }
        children[c] = -1;
    }
    child_count = 0;
}

static void fail(const char* message) {
    fprintf(stderr, "x11_probe: %s\n", message);
    stop_children();
    exit(1);
}

/* The program may drop a window we still watch; that is no reason to stop measuring. */
static int ignore_x_error(Display* display, XErrorEvent* error) {
    char text[128];
    XGetErrorText(display, error->error_code, text, sizeof text);
    fprintf(stderr, "x11_probe: X error ignored: %s\n", text);
    return 0;
}

/* Waits until an event is queued or the deadline passes; returns 0 on timeout. */
static int wait_event(double deadline, XEvent* event) {
    for (;;) {
        if (XPending(dpy) > 0) {
            XNextEvent(dpy, event);
            return 1;
        }
        const double left = deadline - now_ms();
        if (left <= 0) {
            return 0;
        }
        struct pollfd fd = {ConnectionNumber(dpy), POLLIN, 0};
        const int timeout = left < 1 ? 1 : (int)left;
        if (poll(&fd, 1, timeout) < 0 && errno != EINTR) {
            fail("poll on the X connection failed");
        }
        for (int c = 0; c < child_count; ++c) {
            if (children[c] > 0 && waitpid(children[c], NULL, WNOHANG) == children[c]) {
                children[c] = -1;
                fail("a program ended before the measurement did");
            }
        }
    }
}

/* Forks and execs the program; returns its first mapped top-level window and the time in ms
 * from the exec to the MapNotify. */
static Window start_program(char** argv, double* startup_ms) {
    Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, True);

    /* The child writes the time just before its exec into memory both processes share. */
    double* exec_time =
        mmap(NULL, sizeof(double), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (exec_time == MAP_FAILED) {
        fail("mmap failed");
    }
    *exec_time = 0;
    const pid_t child = fork();
    if (child < 0) {
        fail("fork failed");
    }
    if (child == 0) {
        close(ConnectionNumber(dpy));
        *exec_time = now_ms();
        execvp(argv[0], argv);
        perror("x11_probe: exec");
        _exit(127);
    }
    children[child_count++] = child;
    const double deadline = now_ms() + 20000;
    XEvent event;
    for (;;) {
        if (!wait_event(deadline, &event)) {
            fail("no window was mapped within 20 s");
        }
        if (event.type == MapNotify && event.xmap.event == root && !event.xmap.override_redirect) {
            const double mapped = now_ms();
            *startup_ms = mapped - *exec_time;
            munmap(exec_time, sizeof(double));
            XSelectInput(dpy, root, NoEventMask);
            return event.xmap.window;
        }
    }
}

static long smaps_field(const char* text, const char* name) {
    const char* at = strstr(text, name);
    return at != NULL ? strtol(at + strlen(name), NULL, 10) : -1;
}

static int run_startup(char** argv) {
    double startup_ms = 0;
    start_program(argv, &startup_ms);
    /* Memory as it stands once the program has settled: one second after the map. */
    struct timespec second = {1, 0};
    while (nanosleep(&second, &second) != 0 && errno == EINTR) {
    }
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/smaps_rollup", (int)children[0]);
    FILE* file = fopen(path, "r");
    if (file == NULL) {
        fail("cannot read smaps_rollup");
    }
    char text[4096];
    const size_t length = fread(text, 1, sizeof text - 1, file);
    text[length] = '\0';
    fclose(file);
    printf("startup_ms=%.3f rss_kb=%ld pss_kb=%ld\n", startup_ms, smaps_field(text, "\nRss:"),
           smaps_field(text, "\nPss:"));
    stop_children();
    return 0;
}

static int run_map(char** argv) {
    double startup_ms = 0;
    start_program(argv, &startup_ms);
    printf("startup_ms=%.3f\n", startup_ms);
    stop_children();
    return 0;
}

/* Waits until none of the windows has changed for quiet_ms, then clears their damage. */
static void settle(const Damage* damages, int count, double quiet_ms, double limit_ms) {
    const double give_up = now_ms() + limit_ms;
    double quiet_until = now_ms() + quiet_ms;
    XEvent event;
    while (now_ms() < give_up) {
        if (!wait_event(quiet_until < give_up ? quiet_until : give_up, &event)) {
            if (now_ms() >= quiet_until) {
                break;
            }
            continue;
        }
        if (event.type == damage_event_base + XDamageNotify) {
            XDamageSubtract(dpy, ((XDamageNotifyEvent*)&event)->damage, None, None);
            quiet_until = now_ms() + quiet_ms;
        }
    }
    for (int i = 0; i < count; ++i) {
        XDamageSubtract(dpy, damages[i], None, None);
    }
    XSync(dpy, False);
    while (XPending(dpy) > 0) {
        XNextEvent(dpy, &event);
    }
}

struct Key {
    KeyCode code;
    int shifted;
};

static struct Key key_of(const char* name) {
    const KeySym sym = XStringToKeysym(name);
    if (sym == NoSymbol) {
        fprintf(stderr, "x11_probe: unknown keysym %s\n", name);
        fail("bad key name");
    }
    struct Key key = {XKeysymToKeycode(dpy, sym), 0};
    if (key.code == 0) {
        fprintf(stderr, "x11_probe: no key types %s\n", name);
        fail("bad key name");
    }
    key.shifted = XkbKeycodeToKeysym(dpy, key.code, 0, 0) != sym &&
                  XkbKeycodeToKeysym(dpy, key.code, 0, 1) == sym;
    return key;
}

static void key_press(struct Key key) {
    static KeyCode shift = 0;
    if (shift == 0) {
        shift = XKeysymToKeycode(dpy, XK_Shift_L);
    }
    if (key.shifted) {
        XTestFakeKeyEvent(dpy, shift, True, CurrentTime);
    }
    XTestFakeKeyEvent(dpy, key.code, True, CurrentTime);
    XFlush(dpy);
}

static void key_release(struct Key key) {
    XTestFakeKeyEvent(dpy, key.code, False, CurrentTime);
    if (key.shifted) {
        XTestFakeKeyEvent(dpy, XKeysymToKeycode(dpy, XK_Shift_L), False, CurrentTime);
    }
    XFlush(dpy);
}

struct Case {
    const char* name;
    int program;
    struct Key prep[16];
    int prep_count;
    struct Key key;
};

static int run_keys(int count, const struct Case* cases, int case_count, char*** programs,
                    int program_count) {
    Window windows[max_programs];
    Damage damages[max_programs];
    for (int p = 0; p < program_count; ++p) {
        double startup_ms = 0;
        windows[p] = start_program(programs[p], &startup_ms);
        damages[p] = XDamageCreate(dpy, windows[p], XDamageReportNonEmpty);
        /* Without a window manager every window opens at the top left: one below the other,
         * none hides a repaint of another. */
        XMoveWindow(dpy, windows[p], 0, 100 * p);
        settle(damages, p + 1, 300, 5000);
    }
    int focused = -1;
    for (int round = 0; round < count; ++round) {
        for (int c = 0; c < case_count; ++c) {
            const struct Case* test = &cases[c];
            const int p = test->program;
            /* Nobody gives a window the focus without a window manager. */
            if (focused != p) {
                XSetInputFocus(dpy, windows[p], RevertToPointerRoot, CurrentTime);
                focused = p;
            }
            for (int i = 0; i < test->prep_count; ++i) {
                key_press(test->prep[i]);
                key_release(test->prep[i]);
            }
            settle(damages, program_count, 40, 2000);
            const double pressed = now_ms();
            key_press(test->key);
            XEvent event;
            double latency = -1;
            const double deadline = pressed + 1000;
            while (wait_event(deadline, &event)) {
                if (event.type == damage_event_base + XDamageNotify &&
                    ((XDamageNotifyEvent*)&event)->damage == damages[p]) {
                    latency = now_ms() - pressed;
                    break;
                }
            }
            key_release(test->key);
            if (latency < 0) {
                printf("timeout %s\n", test->name);
            } else {
                printf("sample %s %.4f\n", test->name, latency);
            }
        }
    }
    fflush(stdout);
    for (int p = 0; p < program_count; ++p) {
        XDamageDestroy(dpy, damages[p]);
    }
    stop_children();
    return 0;
}

static int usage(void) {
    fprintf(stderr,
            "usage: x11_probe startup -- PROGRAM [ARG...]\n"
            "       x11_probe map -- PROGRAM [ARG...]\n"
            "       x11_probe keys COUNT [P:]NAME PREP KEY [...] -- PROGRAM [ARG...] "
            "[-- PROGRAM [ARG...]]\n");
    return 2;
}

int main(int argc, char** argv) {
    if (argc < 4) {
        return usage();
    }
    int program = 0;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--") == 0) {
            program = i + 1;
            break;
        }
    }
    if (program == 0 || program >= argc) {
        return usage();
    }
    /* A server busy with the previous program's teardown may refuse a connection for a moment
     * on a loaded machine: try for a few seconds before giving up. */
    for (int attempt = 0; attempt < 50 && (dpy = XOpenDisplay(NULL)) == NULL; ++attempt) {
        usleep(100000);
    }
    if (dpy == NULL) {
        fprintf(stderr, "x11_probe: cannot open display\n");
        return 1;
    }
    XSetErrorHandler(ignore_x_error);
    signal(SIGPIPE, SIG_IGN);
    int damage_error_base = 0;
    if (!XDamageQueryExtension(dpy, &damage_event_base, &damage_error_base)) {
        fprintf(stderr, "x11_probe: the server has no DAMAGE extension\n");
        return 1;
    }
    int event_base = 0, error_base = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(dpy, &event_base, &error_base, &major, &minor)) {
        fprintf(stderr, "x11_probe: the server has no XTEST extension\n");
        return 1;
    }

    if (strcmp(argv[1], "startup") == 0) {
        return run_startup(argv + program);
    }
    if (strcmp(argv[1], "map") == 0) {
        return run_map(argv + program);
    }
    if (strcmp(argv[1], "keys") == 0) {
        /* The programs: the words after each "--". */
        char** programs[max_programs];
        int program_count = 0;
        for (int i = program - 1; i < argc; ++i) {
            if (strcmp(argv[i], "--") == 0) {
                if (program_count == max_programs || i + 1 >= argc) {
                    return usage();
                }
                argv[i] = NULL;
                programs[program_count++] = argv + i + 1;
            }
        }
        const int count = atoi(argv[2]);
        struct Case cases[16];
        int case_count = 0;
        for (int i = 3; i < program - 1; i += 3) {
            if (case_count == 16 || i + 2 >= program - 1) {
                return usage();
            }
            struct Case* test = &cases[case_count++];
            test->name = argv[i];
            test->program = 0;
            const char* colon = strchr(argv[i], ':');
            if (colon != NULL) {
                test->program = atoi(argv[i]);
            }
            if (test->program < 0 || test->program >= program_count) {
                return usage();
            }
            test->prep_count = 0;
            if (strcmp(argv[i + 1], "-") != 0) {
                char* list = strdup(argv[i + 1]);
                for (char* name = strtok(list, ","); name != NULL; name = strtok(NULL, ",")) {
                    if (test->prep_count == 16) {
                        return usage();
                    }
                    test->prep[test->prep_count++] = key_of(name);
                }
                free(list);
            }
            test->key = key_of(argv[i + 2]);
        }
        if (count <= 0 || case_count == 0) {
            return usage();
        }
        return run_keys(count, cases, case_count, programs, program_count);
    }
    return usage();
}
