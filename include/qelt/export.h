#pragma once

// Symbols of the shared library are hidden unless marked QELT_EXPORT.
#if defined(QELT_STATIC)
#define QELT_EXPORT
#elif defined(QELT_BUILDING)
#define QELT_EXPORT __attribute__((visibility("default")))
#else
#define QELT_EXPORT
#endif
