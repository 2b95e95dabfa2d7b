/* Starts a program and reports when its first top-level window whose title contains a given
 * text shows painted content (not one plain colour), and the program's peak memory then.
 *
 *   first-paint TITLE-TEXT PROGRAM [ARGS...]
 *
 * Prints "first_paint_ms=N peak_rss_kib=N" and ends the program; before that it runs the shell
 * command in FIRST_PAINT_THEN, if set, and fails when that command fails. Exit 1 when no painted window
 * appears within 20 s. The text is looked for in the title and in the window class. Needs a running X server (DISPLAY). */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static long peak_rss_kib(pid_t pid)
{
    char path[64], line[256];
    long kib = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* f = fopen(path, "r");
    if (!f)
        return -1;
    while (fgets(line, sizeof line, f))
        if (strncmp(line, "VmHWM:", 6) == 0)
            kib = strtol(line + 6, NULL, 10);
    fclose(f);
    return kib;
}

static int has_content(Display* d, Window w, int width, int height)
{
    XImage* img = XGetImage(d, w, 0, 0, (unsigned)width, (unsigned)height, AllPlanes, ZPixmap);
    if (!img)
        return 0;
    unsigned long first = XGetPixel(img, 0, 0);
    int differing = 0;
    for (int y = 0; y < height && !differing; y += 3)
        for (int x = 0; x < width; x += 3)
            if (XGetPixel(img, x, y) != first) {
                differing = 1;
                break;
            }
    XDestroyImage(img);
    return differing;
}

static int titled(Display* d, Window w, const char* text)
{
    /* The raw title bytes: enough for an ASCII text, whatever the property's encoding. */
    XTextProperty name;
    int match = 0;
    if (XGetWMName(d, w, &name) && name.value) {
        char buffer[512];
        size_t n = name.nitems < sizeof buffer - 1 ? name.nitems : sizeof buffer - 1;
        memcpy(buffer, name.value, n);
        buffer[n] = 0;
        match = strcasestr(buffer, text) != NULL;
        XFree(name.value);
    }
    /* Some toolkits give the title only in _NET_WM_NAME; the class names the program too. */
    XClassHint hint;
    if (!match && XGetClassHint(d, w, &hint)) {
        match = (hint.res_name && strcasestr(hint.res_name, text)) ||
                (hint.res_class && strcasestr(hint.res_class, text));
        XFree(hint.res_name);
        XFree(hint.res_class);
    }
    return match;
}

/* A window may vanish or reach beyond the screen while it is looked at: such requests fail and
 * the next poll tries again. */
static int ignore_errors(Display* d, XErrorEvent* e)
{
    (void)d;
    (void)e;
    return 0;
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: first-paint TITLE-TEXT PROGRAM [ARGS...]\n");
        return 2;
    }
    XSetErrorHandler(ignore_errors);
    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "first-paint: no display\n");
        return 2;
    }
    const double start = now_ms();
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    int found = 0;
    double painted = 0;
    while (!found && now_ms() - start < 20000) {
        Window root_ret, parent, *children = NULL;
        unsigned count = 0;
        XQueryTree(d, DefaultRootWindow(d), &root_ret, &parent, &children, &count);
        for (unsigned i = 0; i < count && !found; ++i) {
            XWindowAttributes a;
            if (!XGetWindowAttributes(d, children[i], &a) || a.map_state != IsViewable)
                continue;
            if (a.width < 100 || a.height < 100 || !titled(d, children[i], argv[1]))
                continue;
            /* Only the part on the screen can be read. */
            const int w = a.x + a.width > DisplayWidth(d, DefaultScreen(d))
                              ? DisplayWidth(d, DefaultScreen(d)) - a.x
                              : a.width;
            const int h = a.y + a.height > DisplayHeight(d, DefaultScreen(d))
                              ? DisplayHeight(d, DefaultScreen(d)) - a.y
                              : a.height;
            if (w > 0 && h > 0 && has_content(d, children[i], w, h)) {
                found = 1;
                painted = now_ms();
            }
        }
        if (children)
            XFree(children);
        if (!found)
            usleep(2000);
        if (waitpid(pid, NULL, WNOHANG) == pid) {
            fprintf(stderr, "first-paint: the program ended\n");
            return 1;
        }
    }
    long rss = peak_rss_kib(pid);
    /* A command to run against the painted window, e.g. a screenshot. */
    const char* then = getenv("FIRST_PAINT_THEN");
    int then_status = 0;
    if (found && then && *then)
        then_status = system(then);
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    XCloseDisplay(d);
    if (!found) {
        fprintf(stderr, "first-paint: no painted window within 20 s\n");
        return 1;
    }
    printf("first_paint_ms=%.0f peak_rss_kib=%ld\n", painted - start, rss);
    return then_status == 0 ? 0 : 1;
}
