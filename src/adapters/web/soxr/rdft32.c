/* The single-precision engine's transforms: fft4g in float, and its table (rdft_table.h). */
#include <stdlib.h>

#include "filter.h"
/* filter.h renames fft4g.c's functions, so it comes first. */
#define FFT4G_FLOAT
#include "fft4g.c"

#define RDFT_TABLE _soxr_rdft32_cb
#define SAFE_RDFT lsx_safe_rdft_f
#define CONVOLVE lsx_ordered_convolve_f
#define PARTIAL_CONVOLVE lsx_ordered_partial_convolve_f
#include "rdft_table.h"
