# Test harness: every test executable runs under Wine.
#   unit  - shared prefix with one persistent wineserver (cheap start-up)
#   net   - own copy of the template prefix, own wineserver, inside a private network namespace
#   gui   - own copy of the template prefix, own wineserver and own Xvfb display
#   gui NET - both: own Xvfb display inside a private network namespace with the fixture manager
# The template prefix is made once per build folder by the wine_prefix_up fixture.
set(WINE_TEST_ROOT "${CMAKE_BINARY_DIR}/wine" CACHE PATH "folder of the test prefixes")
# a display number of our own per build folder, so two build folders can test side by side
string(MD5 _orv_hash "${CMAKE_BINARY_DIR}")
string(SUBSTRING "${_orv_hash}" 0 4 _orv_hash)
math(EXPR _orv_display "0x${_orv_hash} % 400 + 100")
set(WINE_TEST_DISPLAY ":${_orv_display}" CACHE STRING "X display of the shared test prefix")
set(WINE_TEST_ENV
  "WINEPREFIX=${WINE_TEST_ROOT}/shared"
  "ORV_WINE_TEMPLATE=${WINE_TEST_ROOT}/template"
  "ORV_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
  "ORV_BINARY_DIR=${CMAKE_BINARY_DIR}"
  "ORV_TESTING=${CMAKE_SOURCE_DIR}/testing"
  "WINEDEBUG=-all"
  "WINEDLLOVERRIDES=mscoree,mshtml,winealsa.drv,winepulse.drv,wineoss.drv="  # one group: ';' splits CMake lists
  "WINEARCH=win64"
  "DISPLAY=${WINE_TEST_DISPLAY}")

add_test(NAME wine_prefix_up COMMAND ${CMAKE_SOURCE_DIR}/testing/wine-prefix.sh up)
add_test(NAME wine_prefix_down COMMAND ${CMAKE_SOURCE_DIR}/testing/wine-prefix.sh down)
set_tests_properties(wine_prefix_up PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${WINE_TEST_ENV}"
                     TIMEOUT 300 LABELS "unit;net;gui")
set_tests_properties(wine_prefix_down PROPERTIES FIXTURES_CLEANUP wine ENVIRONMENT "${WINE_TEST_ENV}"
                     TIMEOUT 60 LABELS "unit;net;gui")

# orv_add_test(NAME name LABEL unit|net|gui COMMAND exe args... [TIMEOUT s] [HOSTS file] [TMPFS size] [DEPTH bits] [SERIAL] [NET])
#   COMMAND is a Winelib target or the path of a Windows module; it runs under Wine.
#   net and gui tests run through testing/isolate.sh, which enforces the time limit itself
#   (TIMEOUT) and stops every process it started. TMPFS (net only) gives the test a small disk of
#   its own, named by ORV_SMALL_DISK. DEPTH is the colour depth of a gui test's display (24
#   unless given; 8 gives a palette display). NET (gui only) runs the window test inside a network
#   namespace of its own as well, so it reaches fixture servers on fixed ports (HOSTS applies);
#   such a test carries both labels, gui and net.
function(orv_add_test)
  cmake_parse_arguments(T "SERIAL;NET" "NAME;LABEL;TIMEOUT;HOSTS;TMPFS;DEPTH" "COMMAND" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  list(POP_FRONT T_COMMAND _exe)
  if(TARGET ${_exe})
    set(_exe "$<TARGET_FILE:${_exe}>.so")   # the module; TARGET_FILE is winegcc's sh launcher
  endif()
  if(T_LABEL STREQUAL "unit")
    set(_cmd ${CMAKE_SOURCE_DIR}/testing/isolate.sh --shared --timeout ${T_TIMEOUT} -- ${_exe} ${T_COMMAND})
  elseif(T_LABEL STREQUAL "net")
    set(_opts --netns)
    if(T_HOSTS)
      list(APPEND _opts --hosts ${T_HOSTS})
    endif()
    if(T_TMPFS)
      list(APPEND _opts --tmpfs ${T_TMPFS})
    endif()
    set(_cmd ${CMAKE_SOURCE_DIR}/testing/isolate.sh ${_opts} --timeout ${T_TIMEOUT} -- ${_exe} ${T_COMMAND})
  elseif(T_LABEL STREQUAL "gui")
    set(_opts --display)
    # ---- display and network namespace ----
    if(T_NET)
      set(_opts --display-netns)
      if(T_HOSTS)
        list(APPEND _opts --hosts ${T_HOSTS})
      endif()
    endif()
    if(T_DEPTH)
      list(APPEND _opts --depth ${T_DEPTH})
    endif()
    set(_cmd ${CMAKE_SOURCE_DIR}/testing/isolate.sh ${_opts} --timeout ${T_TIMEOUT} -- ${_exe} ${T_COMMAND})
  else()
    message(FATAL_ERROR "orv_add_test ${T_NAME}: LABEL must be unit, net or gui")
  endif()
  add_test(NAME ${T_NAME} COMMAND ${_cmd})
  math(EXPR _outer "${T_TIMEOUT} + 60")
  # A failed test case fails the test whatever the exit code: Wine turns a crash in a static
  # destructor at exit into exit code 0, which would hide the failures reported before it.
  set_tests_properties(${T_NAME} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${WINE_TEST_ENV}"
                       LABELS ${T_LABEL} TIMEOUT ${_outer}
                       FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
  if(T_SERIAL)
    set_tests_properties(${T_NAME} PROPERTIES RUN_SERIAL TRUE)
  endif()
  if(T_NET)
    set_tests_properties(${T_NAME} PROPERTIES LABELS "gui;net")
  endif()
endfunction()

# orv_add_gtest(target [LABEL unit|net|gui] [NAME name] [FILTER gtest-filter] [TIMEOUT s] [HOSTS file] [TMPFS size] [DEPTH bits] [SERIAL] [NET])
function(orv_add_gtest target)
  cmake_parse_arguments(G "SERIAL;NET" "LABEL;NAME;FILTER;TIMEOUT;HOSTS;TMPFS;DEPTH" "" ${ARGN})
  if(NOT G_LABEL)
    set(G_LABEL unit)
  endif()
  if(NOT G_NAME)
    set(G_NAME ${target})
  endif()
  set(_args --gtest_brief=1)
  if(G_FILTER)
    list(APPEND _args --gtest_filter=${G_FILTER})
  endif()
  set(_extra)
  foreach(_k TIMEOUT HOSTS TMPFS DEPTH)
    if(G_${_k})
      list(APPEND _extra ${_k} ${G_${_k}})
    endif()
  endforeach()
  if(G_SERIAL)
    list(APPEND _extra SERIAL)
  endif()
  if(G_NET)
    list(APPEND _extra NET)
  endif()
  orv_add_test(NAME ${G_NAME} LABEL ${G_LABEL} COMMAND ${target} ${_args} ${_extra})
endfunction()
