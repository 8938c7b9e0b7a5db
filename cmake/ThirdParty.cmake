# zlib and minizip for both builds, behind one target: tarvolin_minizip.
# Natively they are Debian's libraries; for Windows, MinGW's static zlib and
# minizip compiled from Debian's source package (scripts/fetch-minizip.sh).
find_package(ZLIB REQUIRED)

add_library(tarvolin_minizip INTERFACE)
if(WIN32)
  set(TARVOLIN_MINIZIP_SRC "${CMAKE_SOURCE_DIR}/build/_deps/minizip" CACHE PATH "minizip sources")
  if(NOT EXISTS "${TARVOLIN_MINIZIP_SRC}/unzip.c")
    execute_process(COMMAND bash "${CMAKE_SOURCE_DIR}/scripts/fetch-minizip.sh" "${TARVOLIN_MINIZIP_SRC}"
                    RESULT_VARIABLE fetch_result)
    if(NOT fetch_result EQUAL 0)
      message(FATAL_ERROR "Could not fetch the minizip sources")
    endif()
  endif()
  add_library(minizip_unzip STATIC ${TARVOLIN_MINIZIP_SRC}/unzip.c ${TARVOLIN_MINIZIP_SRC}/ioapi.c)
  target_include_directories(minizip_unzip SYSTEM PUBLIC ${TARVOLIN_MINIZIP_SRC})
  target_compile_definitions(minizip_unzip PRIVATE NOCRYPT NOUNCRYPT)
  target_compile_options(minizip_unzip PRIVATE -w)
  target_link_libraries(minizip_unzip PUBLIC ZLIB::ZLIB)
  target_link_libraries(tarvolin_minizip INTERFACE minizip_unzip)
else()
  find_path(MINIZIP_INCLUDE_DIR unzip.h PATH_SUFFIXES minizip REQUIRED)
  find_library(MINIZIP_LIBRARY minizip REQUIRED)
  target_include_directories(tarvolin_minizip SYSTEM INTERFACE ${MINIZIP_INCLUDE_DIR})
  target_link_libraries(tarvolin_minizip INTERFACE ${MINIZIP_LIBRARY} ZLIB::ZLIB)
endif()
