# The headers-together check: one translation unit, generated at configure
# time, that includes every public header of the libraries at once, so that
# two libraries declaring the same name in the same namespace fail the build
# the moment their headers meet. The native build leaves out the headers that
# need Windows (framework/, app/ and whatever includes a Windows header,
# directly or through another header). Test support headers are not public.
#
# ad_add_header_check(<dir>...): the object library headers_together.

set(AD_WINDOWS_INCLUDE_RE
    "#include <(windows|windowsx|commctrl|commdlg|shellapi|shlobj|shlwapi|shobjidl|ole2|oleidl|olectl|objbase|objidl|ocidl|exdisp|exdispid|mshtml|mshtmhst|docobj|servprov|unknwn|urlmon|wininet|uxtheme|vssym32|dwmapi|mmsystem|winuser|wingdi|winreg|winnls|tlhelp32|psapi|richedit|intshcut|propidl|comdef|process|io|tchar)\\.h>")

function(ad_add_header_check)
  set(headers)
  foreach(dir IN LISTS ARGN)
    file(GLOB found CONFIGURE_DEPENDS ${AD_SOURCE_ROOT}/${dir}/*.h)
    list(APPEND headers ${found})
  endforeach()
  list(FILTER headers EXCLUDE REGEX "(Test[A-Za-z]*|TestFiles|TestUtils|GuiTest)\\.h$")
  # Compiled once per instruction set by the files that define its target first.
  list(FILTER headers EXCLUDE REGEX "/hash/Sha512Vector\\.h$")
  list(SORT headers)

  if(NOT WIN32)
    # Windows-only: in framework/ or app/, or including a Windows header or a
    # Windows-only header of ours; repeated until nothing changes.
    set(windowsOnly)
    foreach(h IN LISTS headers)
      file(RELATIVE_PATH rel ${AD_SOURCE_ROOT} ${h})
      file(READ ${h} text)
      if(rel MATCHES "^(framework|app)/" OR text MATCHES "${AD_WINDOWS_INCLUDE_RE}")
        list(APPEND windowsOnly ${rel})
      endif()
    endforeach()
    set(changed TRUE)
    while(changed)
      set(changed FALSE)
      foreach(h IN LISTS headers)
        file(RELATIVE_PATH rel ${AD_SOURCE_ROOT} ${h})
        if(rel IN_LIST windowsOnly)
          continue()
        endif()
        file(STRINGS ${h} includes REGEX "^#include \"")
        foreach(line IN LISTS includes)
          string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" inc "${line}")
          if(inc IN_LIST windowsOnly OR inc MATCHES "^(framework|app)/")
            list(APPEND windowsOnly ${rel})
            set(changed TRUE)
            break()
          endif()
        endforeach()
      endforeach()
    endwhile()
  endif()

  set(content "// Generated at configure time: every public header at once.\n")
  foreach(h IN LISTS headers)
    file(RELATIVE_PATH rel ${AD_SOURCE_ROOT} ${h})
    if(NOT WIN32 AND rel IN_LIST windowsOnly)
      continue()
    endif()
    string(APPEND content "#include \"${rel}\"\n")
  endforeach()
  set(out ${CMAKE_BINARY_DIR}/HeadersTogether.cpp)
  file(CONFIGURE OUTPUT ${out} CONTENT "${content}")
  add_library(headers_together OBJECT ${out})
  target_include_directories(headers_together PRIVATE ${AD_SOURCE_ROOT})
  target_compile_options(headers_together PRIVATE ${AD_WARNINGS})
  # The headers reach zlib's and libjpeg's headers and GoogleTest's nowhere.
  target_link_libraries(headers_together PRIVATE skin_engine)
endfunction()
