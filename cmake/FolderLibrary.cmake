# Every folder of the program is one library made of the C++ files it holds.
# Globbing keeps the folder's file list in one place: the folder itself.
# Further arguments are the libraries it uses.
function(bl_folder_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(sources)
    add_library(${name} STATIC ${sources} ${headers})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    # A folder whose code is still to come links as an empty interface.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# One test program per folder of tests, run test by test through ctest.
# Sanitizer builds leave out the leaks of other libraries that
# tests/sanitizer/lsan.supp lists. They also leave __tls_get_addr alone: GCC
# 12's runtime misreads the dynamic TLS blocks of this glibc through it, and
# its leak check then reads a wild range and dies at exit (at random, by
# where allocations fall), after every assertion passed.
function(bl_folder_tests name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE test_support ${ARGN})
  set(sanitizer_environment)
  if(BL_SANITIZE)
    set(sanitizer_environment ENVIRONMENT_MODIFICATION
      "LSAN_OPTIONS=set:suppressions=${CMAKE_SOURCE_DIR}/tests/sanitizer/lsan.supp:intercept_tls_get_addr=0")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" ${sanitizer_environment})
endfunction()
