# Read by tools/build-windows at Coin's project(): Coin's sources are written to
# compile together (its all-*-cpp.cpp files), which makes its build a seventh
# as long. One source declares a hash function for void * after SbHash.h,
# which the sources before it include: it compiles on its own.
function(tarvo_coin_unity_exceptions)
  set_source_files_properties(${CMAKE_SOURCE_DIR}/src/misc/SoDebug.cpp
    DIRECTORY ${CMAKE_SOURCE_DIR}/src/misc
    PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL tarvo_coin_unity_exceptions)
