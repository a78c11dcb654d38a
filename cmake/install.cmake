# Installation: engines, lexicon, headers, host program, default voices,
# pkg-config file and CMake package config.
include(CMakePackageConfigHelpers)
set(VOXA_VOICE_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/voxa/voices)

install(TARGETS engine_es engine_pl engine_tr corvum EXPORT VoxaTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
foreach(lib engine_es engine_pl engine_tr corvum)
  target_include_directories(${lib} INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
endforeach()
install(FILES include/tts_engine.h include/corvum.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS voxa RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
file(GLOB VOXA_VOICES ${PROJECT_SOURCE_DIR}/voices/*.voice)
install(FILES ${VOXA_VOICES} DESTINATION ${VOXA_VOICE_INSTALL_DIR})

configure_file(cmake/voxa.pc.in ${CMAKE_CURRENT_BINARY_DIR}/voxa.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/voxa.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(EXPORT VoxaTargets NAMESPACE Voxa:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Voxa)
configure_package_config_file(cmake/VoxaConfig.cmake.in ${CMAKE_CURRENT_BINARY_DIR}/VoxaConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Voxa PATH_VARS VOXA_VOICE_INSTALL_DIR)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/VoxaConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/VoxaConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/VoxaConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Voxa)
