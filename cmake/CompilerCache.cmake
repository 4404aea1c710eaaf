# Compiles through ccache when it is installed. Paths are hashed relative to the source folder and
# the build folder is left out of the hash, so a fresh clone in another folder (as CI makes) reuses
# what an earlier build compiled. The WebAssembly build goes through it too: ccache runs em++ as it
# runs any compiler, and a hit also saves em++'s own start-up, which costs more than many of our
# files take to compile. ccache counts the locale in its hash (it changes the compiler's messages),
# so the locale is pinned: builds that differ only in it, as the Debian package build (which sets
# LC_ALL) and the release build do, then share their objects.
find_program(STRUMWISE_CCACHE ccache)
if(STRUMWISE_CCACHE)
    foreach(_lang C CXX)
        set(CMAKE_${_lang}_COMPILER_LAUNCHER
            ${CMAKE_COMMAND} -E env --unset=LANG --unset=LC_CTYPE --unset=LC_MESSAGES
            LC_ALL=C.UTF-8 CCACHE_BASEDIR=${PROJECT_SOURCE_DIR} CCACHE_NOHASHDIR=1
            ${STRUMWISE_CCACHE})
    endforeach()
endif()
