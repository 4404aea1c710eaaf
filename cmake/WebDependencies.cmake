# The WebAssembly build compiles KISS FFT and libsoxr itself, from the Debian source packages
# that scripts/setup_web.sh unpacks into a cache outside the source tree. Each becomes the target
# the native build gets from pkg-config, so the logic's CMake lists are the same for both.

if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(_default_sources "$ENV{XDG_CACHE_HOME}/strumwise/debian-src")
else()
    set(_default_sources "$ENV{HOME}/.cache/strumwise/debian-src")
endif()
set(STRUMWISE_DEBIAN_SOURCES "${_default_sources}" CACHE PATH
    "Where scripts/setup_web.sh unpacked the Debian sources of kissfft and libsoxr")
foreach(_package kissfft libsoxr)
    if(NOT EXISTS "${STRUMWISE_DEBIAN_SOURCES}/${_package}/.unpacked")
        message(FATAL_ERROR "No Debian source of ${_package} in ${STRUMWISE_DEBIAN_SOURCES}: "
                            "run scripts/setup_web.sh")
    endif()
endforeach()

# KISS FFT in single precision, as Debian's libkissfft-float is built.
set(_kissfft "${STRUMWISE_DEBIAN_SOURCES}/kissfft")
add_library(strumwise_kissfft STATIC ${_kissfft}/kiss_fft.c ${_kissfft}/kiss_fftr.c)
target_include_directories(strumwise_kissfft SYSTEM PUBLIC ${_kissfft})
target_compile_definitions(strumwise_kissfft PUBLIC kiss_fft_scalar=float)
add_library(PkgConfig::KISSFFT ALIAS strumwise_kissfft)

# libsoxr with its portable constant-rate engines. The SIMD engines, OpenMP and the
# variable-rate engine are left out: WebAssembly builds have none of the first two and the
# capture path only converts between two fixed rates.
set(_soxr "${STRUMWISE_DEBIAN_SOURCES}/libsoxr/src")
set(_soxr_config_dir "${CMAKE_BINARY_DIR}/soxr-config")
file(WRITE "${_soxr_config_dir}/soxr-config.h.tmp" [=[
#if !defined soxr_config_included
#define soxr_config_included
#define AVCODEC_FOUND 0
#define AVUTIL_FOUND 0
#define WITH_PFFFT 0
#define HAVE_FENV_H 1
#define HAVE_STDBOOL_H 1
#define HAVE_STDINT_H 1
#define HAVE_LRINT 1
#define HAVE_BIGENDIAN 0
#define WITH_CR32 1
#define WITH_CR32S 0
#define WITH_CR64 1
#define WITH_CR64S 0
#define WITH_VR32 0
#define WITH_HI_PREC_CLOCK 0
#define WITH_FLOAT_STD_PREC_CLOCK 0
#define WITH_DEV_TRACE 0
#endif
]=])
configure_file("${_soxr_config_dir}/soxr-config.h.tmp" "${_soxr_config_dir}/soxr-config.h" COPYONLY)
# Its fft4g32.c and fft4g64.c are replaced by tables whose entries have the types they are called
# with, which WebAssembly requires (src/adapters/web/soxr).
set(_soxr_tables ${PROJECT_SOURCE_DIR}/src/adapters/web/soxr)
add_library(strumwise_soxr STATIC
            ${_soxr}/soxr.c ${_soxr}/data-io.c ${_soxr}/dbesi0.c ${_soxr}/filter.c ${_soxr}/cr.c
            ${_soxr}/cr32.c ${_soxr}/cr64.c ${_soxr_tables}/rdft32.c ${_soxr_tables}/rdft64.c)
target_include_directories(strumwise_soxr PRIVATE ${_soxr_config_dir} ${_soxr_tables})
target_include_directories(strumwise_soxr SYSTEM PUBLIC ${_soxr})
target_compile_definitions(strumwise_soxr PRIVATE SOXR_LIB)
target_compile_options(strumwise_soxr PRIVATE -std=gnu89 -w)
add_library(PkgConfig::SOXR ALIAS strumwise_soxr)

# The page runs everything on its one thread: the logic's mutexes and atomics need no library.
add_library(Threads::Threads INTERFACE IMPORTED)
