# Release builds are hardened as Debian hardens its packages: a stack protector, checked string
# and memory functions, format checks, read-only relocations bound at start. The package build
# compiles with exactly these flags (debian/rules), so it can reuse the release build's objects.
if(CMAKE_BUILD_TYPE STREQUAL "Release" AND NOT EMSCRIPTEN)
    add_compile_options(-fstack-protector-strong -D_FORTIFY_SOURCE=2 -Wformat
                        -Werror=format-security)
    add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
