# Installation: the libraries, the headers an application compiles against,
# the message catalogs, velloran-play and its command module, a CMake package
# (find_package(Velloran CONFIG) gives Velloran::Velloran and
# Velloran::Platform) and a pkg-config file (velloran.pc).
#
# The installed tree is relocatable: the binaries find their libraries
# through an $ORIGIN-relative run path, the host finds libVelloran and the
# command module beside the platform library, the platform finds the
# catalogs in <libdir>/../resources/msgcatalog, and the package files locate
# the prefix from their own place.
#
# Dependencies of the platform: platform/CMakeLists.txt lists them in
# VELLORAN_PLATFORM_DEPENDENCIES, one entry per dependency it links:
#   "PREFIX=module"  found with pkg_check_modules(PREFIX REQUIRED IMPORTED_TARGET
#                    module) and linked as PkgConfig::PREFIX;
#   "Name"           a CMake package found with find_package(Name).
# The package file finds them again for the consumer, and velloran.pc
# requires the pkg-config modules.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(VELLORAN_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/velloran)
set(VELLORAN_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Velloran)

# --- Headers -----------------------------------------------------------------
# The public headers are those that declare an exported class, with every
# header of the library and the platform they include, transitively; the
# rest (module-internal, operating-system and test headers) stays in the
# source tree. Each header is included by its name alone, so they are
# installed in one folder.
function(velloran_public_headers out)
  set(all "")
  foreach(target VelloranPlatform Velloran)
    get_target_property(dirs ${target} INCLUDE_DIRECTORIES)
    foreach(dir IN LISTS dirs)
      file(GLOB found ${dir}/*.h)
      list(APPEND all ${found})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES all)
  set(pending "")
  foreach(header IN LISTS all)
    get_filename_component(name ${header} NAME)
    if(DEFINED header_${name})
      message(FATAL_ERROR "two public header folders hold ${name}: they are installed in one")
    endif()
    set(header_${name} ${header})
    file(STRINGS ${header} exports REGEX "^(class|struct)[ \t]+(VPL_EXPORT|VELLORAN_EXPORT)[ \t]")
    if(exports)
      list(APPEND pending ${header})
    endif()
  endforeach()
  set(public "")
  while(pending)
    list(POP_FRONT pending header)
    if(header IN_LIST public)
      continue()
    endif()
    list(APPEND public ${header})
    file(STRINGS ${header} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" included "${line}")
      get_filename_component(name "${included}" NAME)
      if(DEFINED header_${name})
        list(APPEND pending ${header_${name}})
      endif()
    endforeach()
  endwhile()
  list(SORT public)
  set(${out} ${public} PARENT_SCOPE)
endfunction()

velloran_public_headers(velloran_headers)
install(FILES ${velloran_headers} DESTINATION ${VELLORAN_INSTALL_INCLUDEDIR})

# In the build the include folders are the source folders; once installed,
# the one header folder.
foreach(target VelloranPlatform Velloran)
  get_target_property(dirs ${target} INTERFACE_INCLUDE_DIRECTORIES)
  set(build_dirs "")
  foreach(dir IN LISTS dirs)
    if(dir MATCHES "^\\$<")
      list(APPEND build_dirs "${dir}")
    else()
      list(APPEND build_dirs "$<BUILD_INTERFACE:${dir}>")
    endif()
  endforeach()
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${build_dirs}")
endforeach()

# --- Libraries, the host, the catalogs ---------------------------------------
file(RELATIVE_PATH bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
set_target_properties(Velloran VelloranPlayCommand PROPERTIES INSTALL_RPATH "$ORIGIN")
set_target_properties(velloran-play PROPERTIES INSTALL_RPATH "$ORIGIN/${bin_to_lib}")
set_target_properties(VelloranPlatform PROPERTIES EXPORT_NAME Platform)
# The headers are C++17.
set_property(TARGET VelloranPlatform APPEND PROPERTY INTERFACE_COMPILE_FEATURES cxx_std_17)

install(TARGETS VelloranPlatform Velloran EXPORT VelloranTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${VELLORAN_INSTALL_INCLUDEDIR})
install(TARGETS VelloranPlayCommand LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS velloran-play RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The platform looks for the catalogs in <libdir>/../resources/msgcatalog.
cmake_path(GET CMAKE_INSTALL_LIBDIR PARENT_PATH lib_parent)
cmake_path(APPEND lib_parent resources OUTPUT_VARIABLE resources_dir)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/msgcatalog DESTINATION ${resources_dir})

# --- CMake package and pkg-config file -----------------------------------------
get_directory_property(platform_dependencies DIRECTORY ${PROJECT_SOURCE_DIR}/platform
  DEFINITION VELLORAN_PLATFORM_DEPENDENCIES)
set(VELLORAN_PKG_CONFIG_DEPENDENCIES "")
set(VELLORAN_CMAKE_DEPENDENCIES "")
set(pc_requires "")
foreach(dependency IN LISTS platform_dependencies)
  if(dependency MATCHES "^([A-Za-z0-9_]+)=(.+)$")
    list(APPEND VELLORAN_PKG_CONFIG_DEPENDENCIES "${dependency}")
    list(APPEND pc_requires "${CMAKE_MATCH_2}")
  else()
    list(APPEND VELLORAN_CMAKE_DEPENDENCIES "${dependency}")
  endif()
endforeach()
list(JOIN pc_requires ", " VELLORAN_PC_REQUIRES)
set(VELLORAN_PC_LIBS_PRIVATE "")
foreach(library IN LISTS CMAKE_DL_LIBS)
  string(APPEND VELLORAN_PC_LIBS_PRIVATE " -l${library}")
endforeach()
string(STRIP "${VELLORAN_PC_LIBS_PRIVATE}" VELLORAN_PC_LIBS_PRIVATE)

install(EXPORT VelloranTargets NAMESPACE Velloran:: DESTINATION ${VELLORAN_INSTALL_CMAKEDIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/VelloranConfig.cmake.in
  ${CMAKE_BINARY_DIR}/VelloranConfig.cmake INSTALL_DESTINATION ${VELLORAN_INSTALL_CMAKEDIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/VelloranConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/VelloranConfig.cmake
  ${CMAKE_BINARY_DIR}/VelloranConfigVersion.cmake DESTINATION ${VELLORAN_INSTALL_CMAKEDIR})

file(RELATIVE_PATH pc_to_prefix ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" pc_to_prefix "\${pcfiledir}/${pc_to_prefix}")
set(VELLORAN_PC_PREFIX ${pc_to_prefix})
configure_file(${CMAKE_CURRENT_LIST_DIR}/velloran.pc.in ${CMAKE_BINARY_DIR}/velloran.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/velloran.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
