/* lph330t.h - the driver function set of the Tacussel LPH330T pH meter on
 * the serial port com4:, for host programs (C and C++).
 *
 * Channels: analog input 0 is the pH, analog input 1 the meter's reading in
 * millivolts. The meter has no analog outputs and no binary inputs or
 * outputs.
 *
 *   ea    integer reading: the pH times 100 (channel 0) or the millivolts
 *         (channel 1), rounded to the nearest integer, halves to even.
 *         -77700 (channel 0) or -777 (channel 1) when the meter gives no
 *         reading; -777 at once, without touching the port, for any other
 *         channel.
 *   ead   real reading: one dialogue with the meter, up to 1 s; -777.0 when
 *         there is no reading, and for channels other than 0 and 1 after the
 *         same wait.
 *   nea, nead  the channel's name: "pH*100" / "pH" for channel 0, "mV" for
 *         channel 1, "" for any other.
 *   sa, sad, sb, rsa, rsad, rsb, eb: -777 (or -777.0): nothing is sent to the
 *         instrument and the port is not touched.
 *   nsa, nsad, neb, nsb: "".
 *   titre, detail: the driver's title and description.
 *   std...: the same functions in the standard calling convention (__stdcall
 *         on 32-bit Windows, exported without decoration); stdeas, stdsas and
 *         stdrsas answer in single precision.
 *
 * Texts are static, zero-terminated, in the Windows ANSI code page (é is the
 * byte E9); never free them. An empty text is "", never a null pointer. No
 * function reports an error: no value is -777, -777.0 or -77700.
 *
 * Single-threaded: the driver holds one port at a time; call it from one
 * thread at a time. The shared library reads the meter on "com4:" (on
 * POSIX systems /dev/com4 when it exists, otherwise /dev/ttyS3).
 */
#ifndef LPH330T_H
#define LPH330T_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define LPH330T_STD __stdcall
#else
#define LPH330T_STD
#endif

#if defined(_WIN32) && defined(LPH330T_CONSTRUCTION)
#define LPH330T_API __declspec(dllexport)
#elif defined(_WIN32)
#define LPH330T_API
#else
#define LPH330T_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
#define LPH330T_SANSEXCEPTION noexcept
extern "C" {
#else
#define LPH330T_SANSEXCEPTION
#endif

LPH330T_API int32_t ea(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API const char* nea(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API double ead(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API const char* nead(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API int32_t sa(int32_t voie, int32_t valeur) LPH330T_SANSEXCEPTION;
LPH330T_API const char* nsa(int16_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API int32_t rsa(int16_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API double sad(int32_t voie, double valeur) LPH330T_SANSEXCEPTION;
LPH330T_API const char* nsad(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API double rsad(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API int32_t eb(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API const char* neb(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API int32_t sb(int32_t voie, int32_t valeur) LPH330T_SANSEXCEPTION;
LPH330T_API const char* nsb(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API int32_t rsb(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API const char* titre(void) LPH330T_SANSEXCEPTION;
LPH330T_API const char* detail(void) LPH330T_SANSEXCEPTION;

LPH330T_API int32_t LPH330T_STD stdea(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API const char* LPH330T_STD stdnea(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API double LPH330T_STD stdead(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API float LPH330T_STD stdeas(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API const char* LPH330T_STD stdnead(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API int32_t LPH330T_STD stdsa(int32_t voie, int32_t valeur) LPH330T_SANSEXCEPTION;
LPH330T_API const char* LPH330T_STD stdnsa(int16_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API int32_t LPH330T_STD stdrsa(int16_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API double LPH330T_STD stdsad(int32_t voie, double valeur) LPH330T_SANSEXCEPTION;
LPH330T_API float LPH330T_STD stdsas(int32_t voie, float valeur) LPH330T_SANSEXCEPTION;
LPH330T_API const char* LPH330T_STD stdnsad(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API double LPH330T_STD stdrsad(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API float LPH330T_STD stdrsas(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API int32_t LPH330T_STD stdeb(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API const char* LPH330T_STD stdneb(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API int32_t LPH330T_STD stdsb(int32_t voie, int32_t valeur) LPH330T_SANSEXCEPTION;
LPH330T_API const char* LPH330T_STD stdnsb(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API int32_t LPH330T_STD stdrsb(int32_t voie) LPH330T_SANSEXCEPTION;
LPH330T_API const char* LPH330T_STD stdtitre(void) LPH330T_SANSEXCEPTION;
LPH330T_API const char* LPH330T_STD stddetail(void) LPH330T_SANSEXCEPTION;

#ifdef __cplusplus
}
#endif

#endif
