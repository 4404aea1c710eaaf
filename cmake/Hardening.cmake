# The product's release builds are hardened as Debian hardens its packages: a stack protector,
# checked string and memory functions, format checks, read-only relocations bound at start. The
# package build compiles with exactly these flags (debian/rules), so it can reuse the release
# build's objects. Tests and benchmarks keep their plain flags.
function(strumwise_harden target)
    if(CMAKE_BUILD_TYPE STREQUAL "Release" AND NOT EMSCRIPTEN)
        target_compile_options(${target} PRIVATE -fstack-protector-strong -D_FORTIFY_SOURCE=2
                                                 -Wformat -Werror=format-security)
        get_target_property(_type ${target} TYPE)
        if(_type STREQUAL "EXECUTABLE")
            target_link_options(${target} PRIVATE -Wl,-z,relro -Wl,-z,now)
        endif()
    endif()
endfunction()
