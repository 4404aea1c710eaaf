# Compiles through ccache when it is installed. Paths are hashed relative to the source folder and
# the build folder is left out of the hash, so a fresh clone in another folder (as CI makes) reuses
# what an earlier build compiled. The WebAssembly build is left to emscripten's own cache.
find_program(STRUMWISE_CCACHE ccache)
if(STRUMWISE_CCACHE AND NOT EMSCRIPTEN)
    foreach(_lang C CXX)
        set(CMAKE_${_lang}_COMPILER_LAUNCHER
            ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${PROJECT_SOURCE_DIR} CCACHE_NOHASHDIR=1
            ${STRUMWISE_CCACHE})
    endforeach()
endif()
