# Fails when a file of src/ includes a header of a layer above its own.
# Run as: cmake -DSOURCE_ROOT=<src folder> -P layer_includes.cmake
#
# The layers, bottom first, by the top folder below src/. A file may include the headers of its
# own folder and of the folders listed before it. Every file and every included header must
# lie in one of them, so that a new folder cannot escape the order by being left out.
set(layers
  runtime    # the GUI runtime and the platform services
  state      # the state record and the configuration file
  transcode  # the output formats and the transcoder
  ui         # the windows, their handlers and commands
  app)       # the program's entry

get_filename_component(SOURCE_ROOT "${SOURCE_ROOT}" ABSOLUTE)
if(NOT IS_DIRECTORY "${SOURCE_ROOT}")
  message(FATAL_ERROR "layer_includes: SOURCE_ROOT '${SOURCE_ROOT}' is no folder")
endif()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_ROOT}" "${SOURCE_ROOT}/*.h" "${SOURCE_ROOT}/*.cpp")
if(NOT sources)
  message(FATAL_ERROR "layer_includes: no sources below ${SOURCE_ROOT}")
endif()

set(problems "")
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+" folder "${source}")
  list(FIND layers "${folder}" rank)
  if(rank EQUAL -1 OR folder STREQUAL source)
    string(APPEND problems "\n  ${source}: lies in no layer")
    continue()
  endif()
  file(STRINGS "${SOURCE_ROOT}/${source}" includes ENCODING UTF-8
    REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" header "${line}")
    if(NOT header MATCHES "/")
      continue()  # beside the including file, in its own layer
    endif()
    string(REGEX MATCH "^[^/]+" headerFolder "${header}")
    list(FIND layers "${headerFolder}" headerRank)
    if(headerRank EQUAL -1)
      string(APPEND problems "\n  ${source}: includes ${header}, which lies in no layer")
    elseif(headerRank GREATER rank)
      string(APPEND problems "\n  ${source}: includes ${header}, from the layer above it")
    endif()
  endforeach()
endforeach()

if(problems)
  list(JOIN layers " < " order)
  message(FATAL_ERROR "Includes against the layers' order (${order}):${problems}")
endif()
list(LENGTH sources count)
message(STATUS "layer_includes: ${count} files keep the layers' order")
