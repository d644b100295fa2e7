/* Makes the wineserver fail the program's IPv4 UDP sockets, so that the end-to-end tests can see
 * the start-up's socket messages. Wine creates and binds sockets inside wineserver, a native Linux
 * process; run-e2e starts it with this library preloaded (through $WINESERVER) and with
 *   WOL_E2E_FAIL=socket   socket(AF_INET, SOCK_DGRAM, ...) fails with EACCES
 *   WOL_E2E_FAIL=bind     bind() to an IPv4 address fails with EADDRINUSE
 * Every other call goes to the C library unchanged.
 *
 * Built by run-e2e for the wineserver's architecture without the C library's headers (the 32-bit
 * ones may not be installed), so the few declarations it needs are written out here. */

struct address_head {
    unsigned short family;
};

extern void *dlsym(void *handle, const char *name);
extern char *getenv(const char *name);
extern int strcmp(const char *a, const char *b);
extern int *__errno_location(void);

#define NEXT_LIBRARY ((void *)-1l) /* RTLD_NEXT */
#define IPV4 2                     /* AF_INET */
#define DATAGRAM 2                 /* SOCK_DGRAM */
#define TYPE_MASK 0xF              /* without SOCK_NONBLOCK, SOCK_CLOEXEC */
#define DENIED 13                  /* EACCES */
#define IN_USE 98                  /* EADDRINUSE */

static int failing(const char *call) {
    const char *which = getenv("WOL_E2E_FAIL");
    return which != 0 && strcmp(which, call) == 0;
}

int socket(int domain, int type, int protocol) {
    static int (*real)(int, int, int);
    if (domain == IPV4 && (type & TYPE_MASK) == DATAGRAM && failing("socket")) {
        *__errno_location() = DENIED;
        return -1;
    }
    if (real == 0) {
        real = (int (*)(int, int, int))dlsym(NEXT_LIBRARY, "socket");
    }
    return real(domain, type, protocol);
}

int bind(int fd, const struct address_head *address, unsigned int length) {
    static int (*real)(int, const struct address_head *, unsigned int);
    if (address != 0 && address->family == IPV4 && failing("bind")) {
        *__errno_location() = IN_USE;
        return -1;
    }
    if (real == 0) {
        real = (int (*)(int, const struct address_head *, unsigned int))dlsym(NEXT_LIBRARY, "bind");
    }
    return real(fd, address, length);
}
