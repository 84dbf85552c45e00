# GoogleTest for native and cross builds alike. Natively Debian's packaged libraries are used and
# every test case is its own CTest test. For Windows, gtest is built from Debian's source package
# with the cross compiler, and each test program is one CTest test run under Wine in a prefix of
# the build's own, since starting Wine per test case would cost more than the cases themselves.
if(WIN32)
    if(NOT TARGET gtest)
        set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
        set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
        add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    endif()
    set(SONVIK_WINE_ENVIRONMENT
        "WINEPREFIX=${PROJECT_BINARY_DIR}/wineprefix"
        "WINEDEBUG=-all"
        "WINEDLLOVERRIDES=mscoree,mshtml="
        CACHE INTERNAL "")
    if(NOT TEST wine_prefix)
        # Made once, before the programs that need it, so that parallel tests do not race to
        # create it.
        add_test(NAME wine_prefix COMMAND ${PROJECT_SOURCE_DIR}/tests/windows/make-wine-prefix.sh)
        set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300
            ENVIRONMENT "${SONVIK_WINE_ENVIRONMENT}")
    endif()
else()
    find_package(GTest REQUIRED)
    include(GoogleTest)
endif()

# Registers a gtest program with a time limit per test (natively) or for the whole program.
function(sonvik_add_gtest target seconds)
    if(WIN32)
        add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
        set_tests_properties(${target} PROPERTIES TIMEOUT 600 FIXTURES_REQUIRED wine
            ENVIRONMENT "${SONVIK_WINE_ENVIRONMENT}")
    else()
        gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT ${seconds})
    endif()
endfunction()
