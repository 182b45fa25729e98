# Shared build rules for every deliverable.
set(DUOPANE_CMAKE_DIR "${CMAKE_CURRENT_LIST_DIR}")

function(duopane_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

# Sources of a folder: every .cpp/.h/.ui below it, minus the given subfolders.
function(duopane_sources out dir)
  cmake_parse_arguments(ARG "" "" "EXCLUDE" ${ARGN})
  file(GLOB_RECURSE files CONFIGURE_DEPENDS
    "${dir}/*.cpp" "${dir}/*.h" "${dir}/*.ui" "${dir}/*.qrc")
  foreach(ex IN LISTS ARG_EXCLUDE)
    list(FILTER files EXCLUDE REGEX "^${dir}/${ex}/")
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# Gives a target the fixed version record (the 52-byte VS_FIXEDFILEINFO layout) in an ELF note,
# which mmFileVersion reads back. PROGRAM marks an executable; VERSION overrides the project's.
function(duopane_version_record target)
  cmake_parse_arguments(ARG "PROGRAM" "VERSION" "" ${ARGN})
  if(NOT ARG_VERSION)
    set(ARG_VERSION ${PROJECT_VERSION})
  endif()
  string(REPLACE "." ";" parts "${ARG_VERSION}.0.0.0.0")
  list(GET parts 0 v1)
  list(GET parts 1 v2)
  list(GET parts 2 v3)
  list(GET parts 3 v4)
  math(EXPR VERSION_MS "(${v1} << 16) | ${v2}" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR VERSION_LS "(${v3} << 16) | ${v4}" OUTPUT_FORMAT HEXADECIMAL)
  if(ARG_PROGRAM)
    set(VERSION_FILE_TYPE 1) # VFT_APP
  else()
    set(VERSION_FILE_TYPE 2) # VFT_DLL
  endif()
  set(VERSION_TARGET ${target})
  set(out "${CMAKE_CURRENT_BINARY_DIR}/${target}_version_note.cpp")
  configure_file("${DUOPANE_CMAKE_DIR}/VersionNote.cpp.in" "${out}" @ONLY)
  target_sources(${target} PRIVATE "${out}")
endfunction()

# A deliverable shared library: built into lib/duopane, installed there too.
function(duopane_library target)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  add_library(${target} SHARED ${ARG_SOURCES})
  duopane_warnings(${target})
  target_link_libraries(${target} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
  set_target_properties(${target} PROPERTIES
    VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}
    SOVERSION ${PROJECT_VERSION_MAJOR})
  duopane_version_record(${target})
  install(TARGETS ${target} LIBRARY DESTINATION ${DUOPANE_LIBDIR})
  set_property(GLOBAL APPEND PROPERTY DUOPANE_DELIVERABLES ${target})
endfunction()

# A GoogleTest executable; each test case runs in its own process with fresh XDG folders.
function(duopane_add_gtest target)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${target} ${ARG_SOURCES})
  duopane_warnings(${target})
  target_link_libraries(${target} PRIVATE duopane-testmain ${ARG_LIBS})
  set(props TIMEOUT ${ARG_TIMEOUT})
  if(ARG_LABELS)
    list(APPEND props LABELS "${ARG_LABELS}")
  endif()
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES ${props})
endfunction()
