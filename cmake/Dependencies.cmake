# The third-party libraries, cross-built by scripts/setup.sh into GLINTCAST_DEPS.
foreach(lib x264 FLAC gtest)
  if(NOT EXISTS "${GLINTCAST_DEPS}/lib/lib${lib}.a")
    message(FATAL_ERROR "lib${lib}.a is missing from ${GLINTCAST_DEPS}: run scripts/setup.sh first")
  endif()
endforeach()

add_library(x264::x264 STATIC IMPORTED)
set_target_properties(x264::x264 PROPERTIES
  IMPORTED_LOCATION "${GLINTCAST_DEPS}/lib/libx264.a"
  INTERFACE_INCLUDE_DIRECTORIES "${GLINTCAST_DEPS}/include")

# The static libFLAC is used without its DLL import decorations; its package
# configuration insists on Ogg, which is not built, so the target is made here.
add_library(FLAC::FLAC STATIC IMPORTED)
set_target_properties(FLAC::FLAC PROPERTIES
  IMPORTED_LOCATION "${GLINTCAST_DEPS}/lib/libFLAC.a"
  INTERFACE_INCLUDE_DIRECTORIES "${GLINTCAST_DEPS}/include"
  INTERFACE_COMPILE_DEFINITIONS FLAC__NO_DLL)

find_package(GTest CONFIG REQUIRED PATHS "${GLINTCAST_DEPS}" NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
