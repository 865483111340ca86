# Included right after project(Vantrel) by scripts/test-windows (CMAKE_PROJECT_Vantrel_INCLUDE) when
# cross-compiling the Qt-free parts for Windows: there is no Windows GoogleTest to find, so it is built
# here from Debian's source package, and the test programs run under Wine, also when CTest's
# discovery lists their test cases at build time.
set(VANTREL_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources to build for the target")

set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${VANTREL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# find_package(GTest) in tests/ finds the targets made above through this directory's FindGTest.cmake.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/windows-tests)

find_program(VANTREL_WINE NAMES wine wine64 PATHS /usr/lib/wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VANTREL_WINE})
