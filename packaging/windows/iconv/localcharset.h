/* locale_charset() beside the small iconv (see iconv.h). */
#ifndef SORVIX_LOCALCHARSET_H
#define SORVIX_LOCALCHARSET_H
#ifdef __cplusplus
extern "C" {
#endif
const char *locale_charset(void);
#ifdef __cplusplus
}
#endif
#endif
