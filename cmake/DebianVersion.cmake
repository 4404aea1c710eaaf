# The Debian package's version comes from debian/changelog, which must name the project's own.
file(STRINGS ${PROJECT_SOURCE_DIR}/debian/changelog _changelog_head LIMIT_COUNT 1)
if(NOT _changelog_head MATCHES "^strumwise \\(([^)]+)\\)")
    message(FATAL_ERROR "debian/changelog does not start with an entry for strumwise")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "debian/changelog is at version ${CMAKE_MATCH_1} but the project at "
                        "${PROJECT_VERSION}: add a changelog entry for ${PROJECT_VERSION}")
endif()
