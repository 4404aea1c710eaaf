# Sanitizers apply to every target, ours and the tests, so that a fault in any layer is caught.
if(STRUMWISE_SANITIZE)
    set(_flags "")
    foreach(_s IN LISTS STRUMWISE_SANITIZE)
        list(APPEND _flags "-fsanitize=${_s}")
    endforeach()
    if("undefined" IN_LIST STRUMWISE_SANITIZE)
        # GCC leaves float-cast-overflow out of "undefined", yet a NaN or an out-of-range float
        # converted to an integer is as undefined as anything the group catches.
        list(APPEND _flags "-fsanitize=float-cast-overflow"
             "-fno-sanitize-recover=undefined,float-cast-overflow")
    endif()
    add_compile_options(${_flags} -fno-omit-frame-pointer)
    add_link_options(${_flags})
endif()
