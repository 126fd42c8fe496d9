/* Times a Windows program's start-up under Wine as a user meets it: from the exec of `wine` to
 * the X server's MapNotify of its first top-level window. Wine maps a borderless popup as an
 * override-redirect window, which x11_probe passes over, so this probe takes any top-level map.
 *   win32_map_probe -- wine PROGRAM.exe     prints: startup_ms=<ms> size=<w>x<h>
 * The program is ended (SIGTERM) once mapped. Needs a server with no window manager. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <signal.h>
#include <stdio.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec * 1e3 + (double)t.tv_nsec / 1e6;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: win32_map_probe -- PROGRAM [ARG...]\n");
        return 2;
    }
    Display* dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "win32_map_probe: no display\n");
        return 2;
    }
    Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);
    double exec_time = now_ms();
    pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    double deadline = exec_time + 20000;
    int status = 1;
    while (now_ms() < deadline) {
        if (!XPending(dpy)) {
            usleep(200);
            continue;
        }
        XEvent event;
        XNextEvent(dpy, &event);
        if (event.type == MapNotify && event.xmap.event == root) {
            double mapped = now_ms();
            XWindowAttributes attributes;
            XGetWindowAttributes(dpy, event.xmap.window, &attributes);
            printf("startup_ms=%.3f size=%dx%d\n", mapped - exec_time, attributes.width,
                   attributes.height);
            status = 0;
            break;
        }
    }
    kill(child, SIGTERM);
    waitpid(child, NULL, 0);
    return status;
}
