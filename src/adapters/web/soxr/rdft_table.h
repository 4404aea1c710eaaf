/* libsoxr's table of transform functions for its portable engines, with every entry of exactly
 * the type its call sites cast it to (rdft_t.h). The tables in libsoxr's own fft4g32.c and
 * fft4g64.c store functions of other types, which native calling conventions forgive but a
 * WebAssembly indirect call traps on, as it checks the callee's signature. The including file
 * defines RDFT_TABLE, SAFE_RDFT, CONVOLVE and PARTIAL_CONVOLVE for its precision, and includes
 * <stdlib.h> first, before fft4g.c redefines the floating-point type. */
#include "rdft_t.h"

static void* no_setup(int length) {
    (void)length;
    return 0;
}
static void no_delete(void* setup) {
    (void)setup;
}
static void forward(int length, void* setup, void* data, void* scratch) {
    (void)setup;
    (void)scratch;
    SAFE_RDFT(length, 1, data);
}
static void backward(int length, void* setup, void* data, void* scratch) {
    (void)setup;
    (void)scratch;
    SAFE_RDFT(length, -1, data);
}
static void convolve(int length, void* setup, void* a, void const* b) {
    CONVOLVE(length, setup, a, b);
}
static void convolve_portion(int length, void* a, void const* b) {
    PARTIAL_CONVOLVE(length, a, b);
}
static int multiplier(void) {
    return 2;
}
static void no_reorder(int length, void* setup, void* a, void* b) {
    (void)length;
    (void)setup;
    (void)a;
    (void)b;
}
static void* allocate(size_t size) {
    return malloc(size);
}
static void* allocate_zeroed(size_t count, size_t size) {
    return calloc(count, size);
}
static void release(void* memory) {
    free(memory);
}
static int flags(void) {
    return 0;
}

fn_t RDFT_TABLE[] = {
    (fn_t)no_setup,         (fn_t)no_setup,   (fn_t)no_delete,  (fn_t)forward,
    (fn_t)forward,          (fn_t)backward,   (fn_t)backward,   (fn_t)convolve,
    (fn_t)convolve_portion, (fn_t)multiplier, (fn_t)no_reorder, (fn_t)allocate,
    (fn_t)allocate_zeroed,  (fn_t)release,    (fn_t)flags,
};
