/* The double-precision engine's transforms: fft4g in double, and its table (rdft_table.h). */
#include <stdlib.h>

#include "filter.h"
/* filter.h renames fft4g.c's functions, so it comes first. */
#include "fft4g.c"

#define RDFT_TABLE _soxr_rdft64_cb
#define SAFE_RDFT lsx_safe_rdft
#define CONVOLVE lsx_ordered_convolve
#define PARTIAL_CONVOLVE lsx_ordered_partial_convolve
#include "rdft_table.h"
