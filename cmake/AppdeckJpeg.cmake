# libjpeg as the imported target AD::jpeg, for whichever build includes this.
# Windows: the static libjpeg-turbo that scripts/lib/common.sh (ad_build_jpeg)
# cross-builds from Debian's source package into <build>/deps/libjpeg, or
# wherever AD_JPEG_PREFIX points. Native (tests, benchmarks, fuzzing): Debian's
# libjpeg-dev.
if(TARGET AD::jpeg)
  return()
endif()

if(WIN32)
  set(AD_JPEG_PREFIX "${CMAKE_BINARY_DIR}/deps/libjpeg" CACHE PATH "Cross-built libjpeg-turbo (lib/, include/)")
  if(NOT EXISTS "${AD_JPEG_PREFIX}/lib/libjpeg.a" OR NOT EXISTS "${AD_JPEG_PREFIX}/include/jpeglib.h")
    message(FATAL_ERROR "libjpeg for Windows not found in ${AD_JPEG_PREFIX}; scripts/test.sh builds it "
                        "there (ad_build_jpeg in scripts/lib/common.sh)")
  endif()
  add_library(AD::jpeg STATIC IMPORTED GLOBAL)
  set_target_properties(AD::jpeg PROPERTIES
    IMPORTED_LOCATION "${AD_JPEG_PREFIX}/lib/libjpeg.a"
    INTERFACE_INCLUDE_DIRECTORIES "${AD_JPEG_PREFIX}/include")
else()
  find_package(JPEG REQUIRED)
  if(JPEG_LIBRARY_RELEASE)
    set(ad_jpeg_library "${JPEG_LIBRARY_RELEASE}")
  else()
    set(ad_jpeg_library "${JPEG_LIBRARY}")
  endif()
  add_library(AD::jpeg UNKNOWN IMPORTED GLOBAL)
  set_target_properties(AD::jpeg PROPERTIES
    IMPORTED_LOCATION "${ad_jpeg_library}"
    INTERFACE_INCLUDE_DIRECTORIES "${JPEG_INCLUDE_DIRS}")
endif()
