/* The part of iconv that freexl calls, over the code pages Windows itself
 * converts (MultiByteToWideChar / WideCharToMultiByte): mingw-w64 has no
 * iconv, and freexl needs only whole strings of a workbook's code page
 * turned into UTF-8. */
#ifndef SORVIX_ICONV_H
#define SORVIX_ICONV_H
#include <stddef.h>
#ifdef __cplusplus
extern "C" {
#endif
typedef void *iconv_t;
iconv_t iconv_open(const char *tocode, const char *fromcode);
size_t iconv(iconv_t cd, char **inbuf, size_t *inbytesleft, char **outbuf, size_t *outbytesleft);
int iconv_close(iconv_t cd);
#ifdef __cplusplus
}
#endif
#endif
