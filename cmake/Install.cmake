# What `cmake --install` lays out: the shared library with its soname links
# and, beside it, the template it finds next to itself; the headers a host
# includes, under include/RuriDAriRAZudidarUri/ with the paths they include
# one another by; a CMake package and a pkg-config file.
include(CMakePackageConfigHelpers)

install(TARGETS RuriDAriRAZudidarUri EXPORT RuriDAriRAZudidarUriTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${RURI_TEMPLATE} DESTINATION ${CMAKE_INSTALL_LIBDIR})

# The headers a host includes, and every header of the library they include.
set(RURI_HOST_HEADERS
  ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h
  ATMLCommonError/ATMLCommonFun.h
  ATMLCommonError/SqlValue.h
  platform/mfc/Trace.h)
file(GLOB RURI_SIGNAL_HEADERS RELATIVE ${CMAKE_SOURCE_DIR}/src CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/ATMLViewLayer/TaDB/DBTDOther/*.h)
set(pending ${RURI_HOST_HEADERS} ${RURI_SIGNAL_HEADERS})
set(RURI_PUBLIC_HEADERS)
while(pending)
  list(POP_FRONT pending header)
  if(header IN_LIST RURI_PUBLIC_HEADERS OR NOT EXISTS ${CMAKE_SOURCE_DIR}/src/${header})
    continue()
  endif()
  list(APPEND RURI_PUBLIC_HEADERS ${header})
  file(STRINGS ${CMAKE_SOURCE_DIR}/src/${header} includes REGEX "^#include \"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
    list(APPEND pending ${included})
  endforeach()
endwhile()
foreach(header IN LISTS RURI_PUBLIC_HEADERS)
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${CMAKE_SOURCE_DIR}/src/${header}
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/RuriDAriRAZudidarUri/${folder})
endforeach()

set(RURI_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/RuriDAriRAZudidarUri)
install(EXPORT RuriDAriRAZudidarUriTargets NAMESPACE RuriDAriRAZudidarUri:: DESTINATION ${RURI_CMAKE_DIR})
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/RuriDAriRAZudidarUriConfig.cmake.in
  ${CMAKE_BINARY_DIR}/RuriDAriRAZudidarUriConfig.cmake INSTALL_DESTINATION ${RURI_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/RuriDAriRAZudidarUriConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/RuriDAriRAZudidarUriConfig.cmake
  ${CMAKE_BINARY_DIR}/RuriDAriRAZudidarUriConfigVersion.cmake DESTINATION ${RURI_CMAKE_DIR})

file(RELATIVE_PATH RURI_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" RURI_PC_TO_PREFIX "${RURI_PC_TO_PREFIX}")
configure_file(${CMAKE_SOURCE_DIR}/cmake/RuriDAriRAZudidarUri.pc.in ${CMAKE_BINARY_DIR}/RuriDAriRAZudidarUri.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/RuriDAriRAZudidarUri.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
