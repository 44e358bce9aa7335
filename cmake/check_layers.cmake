# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file includes a header of a layer that its own layer may not use.
# Run as `cmake -DROOT=<source dir> -P check_layers.cmake`. Each rule is
# "<folder>=<folders it may include, besides itself>"; a folder's subfolders are not part of
# it (app/ui is checked by its own rule, or not at all).
cmake_minimum_required(VERSION 3.24)
set(rules
  "text="
  "platform=text"
  "platform/linux=platform,text"
  "platform/win32=platform,text"
  "platform/native=platform,platform/linux,platform/win32,text"
  "dictionary=text,platform"
  "search=dictionary,text,platform"
  "custom=dictionary,text,platform"
  "desktop=search,custom,dictionary,text,platform"
  "app=desktop,search,custom,dictionary,text,platform"
  # The command-line lookup is a front end beside the forms: it asks the core directly, with no view.
  "tools/lookup=app,tools,search,custom,dictionary,text,platform,platform/native,platform/linux,platform/win32")

set(layers text platform dictionary search custom desktop app tools)
set(failures "")
foreach(rule IN LISTS rules)
  string(REGEX REPLACE "=.*" "" folder "${rule}")
  string(REGEX REPLACE "^[^=]*=" "" allowed "${rule}")
  string(REPLACE "," ";" allowed "${allowed}")
  list(APPEND allowed "${folder}")
  file(GLOB files "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  foreach(file IN LISTS files)
    file(STRINGS "${file}" includes REGEX "^#include \"[a-z_0-9/]+\\.h\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([a-z_0-9/]+)/[a-z_0-9]+\\.h\".*" "\\1" target "${line}")
      if(target STREQUAL line)
        continue()  # a header beside the file, without a folder
      endif()
      string(REGEX REPLACE "/.*" "" top "${target}")
      if(NOT top IN_LIST layers)
        continue()  # not one of the project's layers
      endif()
      # platform/linux and platform/win32 are implementations: nothing includes them but
      # themselves and the program's start (the forms).
      set(ok FALSE)
      foreach(a IN LISTS allowed)
        if(target STREQUAL a OR (top STREQUAL a AND NOT target MATCHES "^(platform/linux|platform/win32|platform/native|[a-z]+/ui)$"))
          set(ok TRUE)
        endif()
      endforeach()
      if(NOT ok)
        file(RELATIVE_PATH rel "${ROOT}" "${file}")
        list(APPEND failures "${rel}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

# The command-line lookup has no view: neither the window's views and state nor the
# presenter's routines that work through them.
file(GLOB cli_files "${ROOT}/tools/lookup/*.h" "${ROOT}/tools/lookup/*.cpp")
foreach(file IN LISTS cli_files)
  file(STRINGS "${file}" bad
       REGEX "^#include \"app/(main_view|main_core|busy_cursor|[a-z_]*presenter|[a-z_]*commands)\\.h\"")
  foreach(line IN LISTS bad)
    file(RELATIVE_PATH rel "${ROOT}" "${file}")
    list(APPEND failures "${rel}: ${line} (the command-line tool has no view)")
  endforeach()
endforeach()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "Includes that climb a layer:\n  ${text}")
endif()
