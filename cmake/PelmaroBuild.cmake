# Compiler settings shared by every target: warnings, sanitizers, ccache.

find_program(PELMARO_CCACHE ccache)
if(PELMARO_CCACHE)
  # base_dir makes the cache hit across checkouts in different folders.
  set(_launcher env CCACHE_BASEDIR=${CMAKE_SOURCE_DIR} CCACHE_NOHASHDIR=1 ${PELMARO_CCACHE})
  set(CMAKE_C_COMPILER_LAUNCHER ${_launcher})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${_launcher})
endif()

add_compile_options(-Wall -Wextra)

if(PELMARO_SANITIZE STREQUAL "address")
  set(_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
elseif(PELMARO_SANITIZE STREQUAL "thread")
  set(_san -fsanitize=thread -fno-omit-frame-pointer)
elseif(PELMARO_SANITIZE)
  message(FATAL_ERROR "PELMARO_SANITIZE must be empty, 'address' or 'thread'")
endif()
if(_san)
  # -O1 keeps sanitized suites quick to run without slowing the build much.
  add_compile_options(${_san} -O1 -g)
  add_link_options(${_san})
endif()

if(PELMARO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "PELMARO_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -O1 -g)
  add_link_options(-fsanitize=address,undefined)
endif()
