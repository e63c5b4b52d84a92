/* Start-up probe: starts a program and reports how many milliseconds pass
 * until its WIDTHxHEIGHT window is mapped and shows the expected colours at
 * the given client points, then waits for the program to end (the caller
 * closes it) and exits with its exit status.
 *
 * Usage: startprobe WIDTH HEIGHT X,Y,RRGGBB [X,Y,RRGGBB...] -- PROGRAM [ARGS...]
 * Prints "<ms> <x> <y>" on success, x and y being the window's origin on the
 * screen. Exits 2 on usage errors, 3 when the window does not appear and
 * paint within 30 seconds (the program is then killed). SIGTERM and SIGINT
 * kill the program as well. */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#define MAX_POINTS 16
#define MAX_TOPS 256
#define TIMEOUT_MS 30000.0

struct point { int x, y; unsigned long rgb; };

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* The viewable window of exactly width x height at or below w, or None.
 * With no window manager, Wine's top-level X window of a captionless dialog
 * is its client area; a child is searched too in case it is not. */
static Window find_sized(Display *d, Window w, int width, int height, int depth)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable)
        return None;
    if (a.width == width && a.height == height)
        return w;
    if (depth == 0)
        return None;
    Window root, parent, *children = NULL, found = None;
    unsigned n = 0;
    if (XQueryTree(d, w, &root, &parent, &children, &n)) {
        for (unsigned i = 0; i < n && found == None; ++i)
            found = find_sized(d, children[i], width, height, depth - 1);
        if (children)
            XFree(children);
    }
    return found;
}

static int ignore_errors(Display *d, XErrorEvent *e)
{
    (void)d; (void)e;   /* windows vanish while being looked at */
    return 0;
}

/* Whether every point shows its colour, read back from the screen. */
static int painted(Display *d, Window w, const struct point *p, int n, int *ox, int *oy)
{
    Window child;
    if (!XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, ox, oy, &child))
        return 0;
    for (int i = 0; i < n; ++i) {
        XImage *im = XGetImage(d, DefaultRootWindow(d), *ox + p[i].x, *oy + p[i].y, 1, 1, AllPlanes, ZPixmap);
        if (!im)
            return 0;
        unsigned long px = XGetPixel(im, 0, 0);
        unsigned long rgb = 0;
        unsigned long masks[3] = {im->red_mask, im->green_mask, im->blue_mask};
        for (int c = 0; c < 3; ++c) {
            unsigned long m = masks[c], v = px & m;
            while (m && !(m & 1)) { m >>= 1; v >>= 1; }
            rgb = rgb << 8 | (v & 0xff);
        }
        XDestroyImage(im);
        if (rgb != p[i].rgb)
            return 0;
    }
    return 1;
}

static volatile pid_t started;

/* A stopped probe takes its program with it. */
static void on_term(int signal)
{
    (void)signal;
    if (started > 0)
        kill(started, SIGKILL);
    _exit(143);
}

static int finish(pid_t child)
{
    int status;
    if (waitpid(child, &status, 0) < 0)
        return 1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int main(int argc, char **argv)
{
    struct point points[MAX_POINTS];
    int npoints = 0, i = 3;
    if (argc < 6)
        goto usage;
    const int width = atoi(argv[1]), height = atoi(argv[2]);
    for (; i < argc && strcmp(argv[i], "--") != 0; ++i) {
        if (npoints == MAX_POINTS ||
            sscanf(argv[i], "%d,%d,%lx", &points[npoints].x, &points[npoints].y, &points[npoints].rgb) != 3)
            goto usage;
        ++npoints;
    }
    if (i + 1 >= argc || npoints == 0)
        goto usage;

    Display *d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "startprobe: cannot open display\n");
        return 2;
    }
    XSetErrorHandler(ignore_errors);
    /* Listen before starting, so no map goes unseen. */
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, False);

    const double start = now_ms();
    pid_t child = fork();
    if (child == 0) {
        close(ConnectionNumber(d));
        execvp(argv[i + 1], argv + i + 1);
        _exit(127);
    }
    if (child < 0)
        return 2;
    started = child;
    signal(SIGTERM, on_term);
    signal(SIGINT, on_term);

    Window tops[MAX_TOPS];
    int ntops = 0;
    Window window = None;
    int x = 0, y = 0;
    for (;;) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == MapNotify && ntops < MAX_TOPS)
                tops[ntops++] = e.xmap.window;
        }
        if (window == None)
            for (int t = 0; t < ntops && window == None; ++t)
                window = find_sized(d, tops[t], width, height, 2);
        if (window != None && painted(d, window, points, npoints, &x, &y))
            break;
        const int ended = waitpid(child, NULL, WNOHANG) == child;
        if (ended || now_ms() - start > TIMEOUT_MS) {
            fprintf(stderr, "startprobe: no %dx%d window painted as expected\n", width, height);
            if (!ended) {
                kill(child, SIGKILL);
                waitpid(child, NULL, 0);
            }
            return 3;
        }
        /* The window may be unmapped and mapped again while it is set up. */
        if (window != None && find_sized(d, window, width, height, 0) == None)
            window = None;
        const struct timespec pause = {0, 500000};
        nanosleep(&pause, NULL);
    }
    printf("%.1f %d %d\n", now_ms() - start, x, y);
    fflush(stdout);
    XCloseDisplay(d);
    return finish(child);

usage:
    fprintf(stderr, "usage: %s WIDTH HEIGHT X,Y,RRGGBB... -- PROGRAM [ARGS...]\n", argv[0]);
    return 2;
}
