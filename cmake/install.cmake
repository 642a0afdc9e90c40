# `make install` (cmake --install, DESTDIR and CMAKE_INSTALL_PREFIX honoured) in Debian's games layout:
# the program in games/, its read-only data in share/games/kestrune/, the desktop entry, icons,
# AppStream metadata and the manual page where the desktop and man look for them.
include(GNUInstallDirs)
set(KESTRUNE_VERSION 0.1.0)
set(KESTRUNE_INSTALL_BINDIR games CACHE STRING "Folder of the program, under the prefix")
set(KESTRUNE_INSTALL_DATADIR share/games/kestrune CACHE STRING "Folder of the game's data, under the prefix")
# The content tool goes with the game: it builds the seeded tracks (the day's, a typed seed) for the player.
set(KESTRUNE_INSTALL_TOOLDIR lib/games/kestrune CACHE STRING "Folder of the game's helper programs, under the prefix")
set(KESTRUNE_APP_ID org.kestrune.Kestrune)

# The game finds its data from its own path, so the installed tree can be moved as a whole.
file(RELATIVE_PATH KESTRUNE_DATA_FROM_BIN "/prefix/${KESTRUNE_INSTALL_BINDIR}" "/prefix/${KESTRUNE_INSTALL_DATADIR}")
file(RELATIVE_PATH KESTRUNE_TOOL_FROM_BIN "/prefix/${KESTRUNE_INSTALL_BINDIR}" "/prefix/${KESTRUNE_INSTALL_TOOLDIR}")
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/fileio/gameFolders.cpp PROPERTIES
  COMPILE_DEFINITIONS "KESTRUNE_DATA_FROM_BIN=\"${KESTRUNE_DATA_FROM_BIN}\";KESTRUNE_TOOL_FROM_BIN=\"${KESTRUNE_TOOL_FROM_BIN}\"")

# The installed data is made afresh in the build folder: the checkout's data/ may hold a player's files.
set(KESTRUNE_DIST ${CMAKE_BINARY_DIR}/dist)
file(GLOB_RECURSE KESTRUNE_DIST_RECIPES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/recipes/*)
add_custom_command(
  OUTPUT ${KESTRUNE_DIST}/data.stamp
  COMMAND kescontent ${CMAKE_SOURCE_DIR}/recipes ${KESTRUNE_DIST}/data
  COMMAND kescontent --icons ${KESTRUNE_DIST}/icons
  COMMAND ${CMAKE_COMMAND} -E touch ${KESTRUNE_DIST}/data.stamp
  DEPENDS kescontent ${KESTRUNE_DIST_RECIPES}
  COMMENT "Generating the data and icons to install")
add_custom_target(dist DEPENDS ${KESTRUNE_DIST}/data.stamp kestrune kesride kescontent)

set(KESTRUNE_PROGRAM ${CMAKE_INSTALL_PREFIX}/${KESTRUNE_INSTALL_BINDIR}/kestrune)
set(KESTRUNE_DATA ${CMAKE_INSTALL_PREFIX}/${KESTRUNE_INSTALL_DATADIR}/)
configure_file(${CMAKE_SOURCE_DIR}/packaging/${KESTRUNE_APP_ID}.desktop.in ${KESTRUNE_DIST}/${KESTRUNE_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/kestrune.6.in ${KESTRUNE_DIST}/kestrune.6 @ONLY)

install(TARGETS kestrune kesride RUNTIME DESTINATION ${KESTRUNE_INSTALL_BINDIR})
install(TARGETS kescontent RUNTIME DESTINATION ${KESTRUNE_INSTALL_TOOLDIR})
install(CODE "if(NOT EXISTS \"${KESTRUNE_DIST}/data.stamp\")
  message(FATAL_ERROR \"Nothing to install yet: build the 'dist' target first (make install does)\")
endif()")
install(DIRECTORY ${KESTRUNE_DIST}/data/ DESTINATION ${KESTRUNE_INSTALL_DATADIR} PATTERN .generated EXCLUDE)
foreach(size 128 256)
  install(FILES ${KESTRUNE_DIST}/icons/${size}x${size}/kestrune.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${KESTRUNE_DIST}/${KESTRUNE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${KESTRUNE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${KESTRUNE_DIST}/kestrune.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
