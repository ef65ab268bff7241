# Batched compilation (a unity build of our own): the C++ sources of each of
# our targets are compiled a few files per unit, so the system, GoogleTest and
# framework headers they share are parsed once per batch instead of once per
# file (about half the compile time of the build).
#
# CMake's own unity build includes the sources by absolute path, which gives
# every checkout of the tree its own compiler-cache entries; these batches name
# their files relative to the source root (found through the root's include
# folder), so checkouts keep sharing the cache.
#
# Files of one batch share one unit, so two of them must not define the same
# name at file scope (an anonymous namespace is shared by the whole batch too).
# The batches are formed around that at configure time: the names a source
# defines at the start of a line (functions, types, constants, aliases and
# macros) are read, and a file joins the first batch that holds none of them.
# Names defined in indented lines are not seen, and the batches are formed when
# the build is configured. If a build error shows two files of one batch
# clashing: after adding the name, configure again (`cmake <build folder>`);
# otherwise rename one of the two, or leave a file out with the source
# property SKIP_UNITY_BUILD_INCLUSION. A
# whole target stays unbatched with the target property AD_UNITY OFF (e.g.
# files compiled for other instruction sets), everything with -DAD_UNITY=OFF.
# A macro a file defines for itself is best #undef'd at its end.
#
# The Windows headers define macros that rename functions (DrawText becomes
# DrawTextW) in whatever is parsed after them. A file that needs no Windows
# header (directly or through one of ours, as the headers-together check
# reads it) is therefore only batched with such files, and the batches of the
# other files start with <windows.h>, so that every header of a batch is read
# with the same macros. <windowsx.h> defines macros with the names of
# ordinary functions (SetWindowRedraw, GetWindowFont, ...) that the files
# after it in a batch may declare, and <winsock2.h> must come before
# <windows.h>: the files that include either are compiled on their own.

include(${CMAKE_CURRENT_LIST_DIR}/AppdeckHeaderCheck.cmake)  # AD_WINDOWS_INCLUDE_RE

option(AD_UNITY "Compile the sources of each target in batches" ON)
set(AD_UNITY_BATCH_SIZE 8 CACHE STRING "Source files per batch of the batched build")

# The build-system targets of <dir> and its subfolders (ours and third-party).
function(ad__targets_below dir out)
  get_property(found DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    ad__targets_below(${sub} more)
    list(APPEND found ${more})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Replaces the batchable sources of <target> by generated batch files.
function(ad__batch_target target)
  get_target_property(type ${target} TYPE)
  if(NOT type MATCHES "^(STATIC_LIBRARY|OBJECT_LIBRARY|SHARED_LIBRARY|EXECUTABLE)$")
    return()
  endif()
  get_target_property(enabled ${target} AD_UNITY)
  if(enabled STREQUAL "OFF" OR enabled STREQUAL "FALSE")
    return()
  endif()
  get_target_property(dir ${target} SOURCE_DIR)
  file(RELATIVE_PATH dirRel ${AD_SOURCE_ROOT} ${dir})
  if(dirRel MATCHES "^\\.\\.")
    return()  # not ours
  endif()
  get_target_property(sources ${target} SOURCES)
  set(batchable)
  set(kept)
  foreach(src IN LISTS sources)
    if(src MATCHES "^\\$<")
      list(APPEND kept ${src})
      continue()
    endif()
    if(NOT IS_ABSOLUTE ${src})
      set(src ${dir}/${src})
    endif()
    file(RELATIVE_PATH rel ${AD_SOURCE_ROOT} ${src})
    get_source_file_property(skip ${src} DIRECTORY ${dir} SKIP_UNITY_BUILD_INCLUSION)
    if(NOT skip AND src MATCHES "\\.cpp$" AND EXISTS ${src})
      file(STRINGS ${src} macroHeaders REGEX "^#include <(windowsx|winsock2|ws2tcpip)\\.h>")
      if(macroHeaders)
        set(skip TRUE)
      endif()
    endif()
    if(src MATCHES "\\.cpp$" AND NOT rel MATCHES "^\\.\\." AND NOT skip)
      list(APPEND batchable ${rel})
    else()
      list(APPEND kept ${src})
    endif()
  endforeach()
  list(LENGTH batchable count)
  if(count LESS 2)
    return()
  endif()
  # First fit: each file joins the first batch with room that defines none of
  # its names.
  set(batchCount 0)
  foreach(rel IN LISTS batchable)
    ad__file_scope_names(${AD_SOURCE_ROOT}/${rel} names)
    ad__needs_windows(${AD_SOURCE_ROOT}/${rel} windows)
    set(placed FALSE)
    set(b 0)
    while(b LESS batchCount)
      list(LENGTH batch${b}_files used)
      if(used LESS AD_UNITY_BATCH_SIZE AND batch${b}_windows STREQUAL windows)
        set(clash FALSE)
        foreach(n IN LISTS names)
          if(n IN_LIST batch${b}_names)
            set(clash TRUE)
            break()
          endif()
        endforeach()
        if(NOT clash)
          list(APPEND batch${b}_files ${rel})
          list(APPEND batch${b}_names ${names})
          set(placed TRUE)
          break()
        endif()
      endif()
      math(EXPR b "${b} + 1")
    endwhile()
    if(NOT placed)
      set(batch${batchCount}_files ${rel})
      set(batch${batchCount}_names ${names})
      set(batch${batchCount}_windows ${windows})
      math(EXPR batchCount "${batchCount} + 1")
    endif()
  endforeach()
  set(batches)
  set(b 0)
  while(b LESS batchCount)
    list(LENGTH batch${b}_files used)
    if(used EQUAL 1)
      list(APPEND batches ${AD_SOURCE_ROOT}/${batch${b}_files})
    else()
      set(content "")
      if(batch${b}_windows)
        set(content "#include <windows.h>\n")
      endif()
      foreach(rel IN LISTS batch${b}_files)
        string(APPEND content "#include \"${rel}\"\n")
      endforeach()
      ad__write_batch(${target} ${b} "${content}" file)
      list(APPEND batches ${file})
    endif()
    math(EXPR b "${b} + 1")
  endwhile()
  set_property(TARGET ${target} PROPERTY SOURCES ${kept} ${batches})
  target_include_directories(${target} PRIVATE ${AD_SOURCE_ROOT})
endfunction()

# The names <file> defines at the start of a line (a rough reading: what it
# misses can clash, what it adds too much only makes batches smaller).
set(AD__NAME "[A-Za-z_][A-Za-z0-9_]*")
set(AD__TYPE "[A-Za-z0-9_:<>,*& \t]*[ \t*&]")
function(ad__file_scope_names file out)
  file(STRINGS ${file} lines REGEX "^[A-Za-z_#]")
  set(found)
  foreach(line IN LISTS lines)
    if(line MATCHES "^(namespace|using[ \t]+namespace|extern|friend|return|public|private|protected)[^A-Za-z0-9_]")
      continue()
    elseif(line MATCHES "^#[ \t]*define[ \t]+(${AD__NAME})")
      list(APPEND found ${CMAKE_MATCH_1})
    elseif(line MATCHES "^(struct|class|enum|union)[ \t]+(class[ \t]+|struct[ \t]+)?(${AD__NAME})[^;]*$")
      list(APPEND found ${CMAKE_MATCH_3})
    elseif(line MATCHES "^using[ \t]+(${AD__NAME})[ \t]*=")
      list(APPEND found ${CMAKE_MATCH_1})
    elseif(line MATCHES "^(template[ \t]*<[^>]*>[ \t]*)?${AD__TYPE}(${AD__NAME})[ \t]*(\\(|=|\\{|\\[|;)")
      list(APPEND found ${CMAKE_MATCH_2})
    endif()
  endforeach()
  list(REMOVE_ITEM found return delete new else operator namespace)
  list(REMOVE_DUPLICATES found)
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Whether <file> includes a Windows header, directly or through one of our
# headers (read once per configure and remembered).
function(ad__needs_windows file out)
  get_property(known GLOBAL PROPERTY AD__WINDOWS_${file} SET)
  if(known)
    get_property(result GLOBAL PROPERTY AD__WINDOWS_${file})
    set(${out} ${result} PARENT_SCOPE)
    return()
  endif()
  set_property(GLOBAL PROPERTY AD__WINDOWS_${file} FALSE)  # include cycles end here
  set(result FALSE)
  file(RELATIVE_PATH rel ${AD_SOURCE_ROOT} ${file})
  file(READ ${file} text)
  if(NOT WIN32)
    set(result FALSE)  # nothing of the native build needs them
  elseif(rel MATCHES "^framework/|^app/[^/]*$|^app/forms/" OR text MATCHES "${AD_WINDOWS_INCLUDE_RE}")
    set(result TRUE)
  else()
    get_filename_component(dir ${file} DIRECTORY)
    string(REGEX MATCHALL "#include \"[^\"]+\"" includes "${text}")
    foreach(inc IN LISTS includes)
      string(REGEX REPLACE "#include \"([^\"]+)\"" "\\1" name "${inc}")
      if(EXISTS ${dir}/${name})
        set(header ${dir}/${name})
      elseif(EXISTS ${AD_SOURCE_ROOT}/${name})
        set(header ${AD_SOURCE_ROOT}/${name})
      else()
        continue()
      endif()
      get_filename_component(header ${header} ABSOLUTE)
      ad__needs_windows(${header} headerNeeds)
      if(headerNeeds)
        set(result TRUE)
        break()
      endif()
    endforeach()
  endif()
  set_property(GLOBAL PROPERTY AD__WINDOWS_${file} ${result})
  set(${out} ${result} PARENT_SCOPE)
endfunction()

function(ad__write_batch target index content out)
  set(file ${CMAKE_BINARY_DIR}/batches/${target}_${index}.cpp)
  # file(CONFIGURE) rewrites the file only when its text changes.
  file(CONFIGURE OUTPUT ${file}
       CONTENT "// Generated: a batch of ${target}'s sources compiled as one unit.\n${content}")
  set(${out} ${file} PARENT_SCOPE)
endfunction()

# ad_batch_sources(): batches the sources of every target of ours defined so
# far; call it once at the end of the top-level list file.
function(ad_batch_sources)
  if(NOT AD_UNITY)
    return()
  endif()
  ad__targets_below(${CMAKE_SOURCE_DIR} targets)
  foreach(t IN LISTS targets)
    ad__batch_target(${t})
  endforeach()
endfunction()
