/* A small iconv over Windows' code pages; see iconv.h. Names are "CPnnn",
 * "UTF-8", "UTF-16LE", "ASCII" and "MacRoman". A conversion is all or
 * nothing: a byte sequence the code page does not hold is EILSEQ, an output
 * buffer too small is E2BIG, and neither writes anything. */
#include "iconv.h"
#include "localcharset.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>

#define CODE_PAGE_UTF16LE 1200u

struct converter {
    unsigned from;
    unsigned to;
};

static unsigned code_page(const char *name)
{
    if (!_stricmp(name, "UTF-8") || !_stricmp(name, "UTF8"))
        return CP_UTF8;
    if (!_stricmp(name, "UTF-16LE"))
        return CODE_PAGE_UTF16LE;
    if (!_stricmp(name, "ASCII") || !_stricmp(name, "US-ASCII"))
        return 20127;
    if (!_stricmp(name, "MacRoman"))
        return 10000;
    if (!_strnicmp(name, "CP", 2) && name[2] >= '0' && name[2] <= '9') {
        char *end = NULL;
        unsigned long n = strtoul(name + 2, &end, 10);
        if (*end == '\0' && n > 0 && n < 65536 && (n == CODE_PAGE_UTF16LE || IsValidCodePage((UINT) n)))
            return (unsigned) n;
    }
    return 0;
}

iconv_t iconv_open(const char *tocode, const char *fromcode)
{
    unsigned to = code_page(tocode), from = code_page(fromcode);
    struct converter *c;
    if (!to || !from) {
        errno = EINVAL;
        return (iconv_t) -1;
    }
    c = malloc(sizeof *c);
    if (!c) {
        errno = ENOMEM;
        return (iconv_t) -1;
    }
    c->from = from;
    c->to = to;
    return c;
}

int iconv_close(iconv_t cd)
{
    free(cd);
    return 0;
}

/* The input as UTF-16, in a buffer the caller frees; -1 when it is not valid. */
static int to_wide(unsigned from, const char *in, size_t size, wchar_t **wide)
{
    int n;
    if (from == CODE_PAGE_UTF16LE) {
        if (size % 2)
            return -1;
        *wide = malloc(size ? size : 1);
        if (!*wide)
            return -1;
        memcpy(*wide, in, size);
        return (int) (size / 2);
    }
    n = size ? MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, in, (int) size, NULL, 0) : 0;
    if (size && n <= 0)
        return -1;
    *wide = malloc(((size_t) n + 1) * sizeof(wchar_t));
    if (!*wide)
        return -1;
    if (n)
        MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, in, (int) size, *wide, n);
    return n;
}

size_t iconv(iconv_t cd, char **inbuf, size_t *inbytesleft, char **outbuf, size_t *outbytesleft)
{
    const struct converter *c = cd;
    wchar_t *wide = NULL;
    int count, n;
    BOOL lossy = FALSE;
    if (!inbuf || !*inbuf)
        return 0; /* no shift state to reset */
    if (*inbytesleft > 0x7fffffff) {
        errno = E2BIG;
        return (size_t) -1;
    }
    count = to_wide(c->from, *inbuf, *inbytesleft, &wide);
    if (count < 0) {
        free(wide);
        errno = EILSEQ;
        return (size_t) -1;
    }
    if (c->to == CODE_PAGE_UTF16LE) {
        n = count * 2;
        if ((size_t) n > *outbytesleft) {
            free(wide);
            errno = E2BIG;
            return (size_t) -1;
        }
        memcpy(*outbuf, wide, (size_t) n);
    } else {
        const BOOL utf = c->to == CP_UTF8;
        n = count ? WideCharToMultiByte(c->to, utf ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS, wide, count,
                                        NULL, 0, NULL, utf ? NULL : &lossy) : 0;
        if ((count && n <= 0) || lossy) {
            free(wide);
            errno = EILSEQ;
            return (size_t) -1;
        }
        if ((size_t) n > *outbytesleft) {
            free(wide);
            errno = E2BIG;
            return (size_t) -1;
        }
        if (n)
            WideCharToMultiByte(c->to, utf ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS, wide, count, *outbuf, n,
                                NULL, NULL);
    }
    free(wide);
    *inbuf += *inbytesleft;
    *inbytesleft = 0;
    *outbuf += n;
    *outbytesleft -= (size_t) n;
    return 0;
}

const char *locale_charset(void)
{
    static char name[16];
    snprintf(name, sizeof name, "CP%u", GetACP());
    return name;
}
