# The sample installation: tools/mkinstall turns the book and word-list sources here into the
# installation folder beside the programs.
file(GLOB kestrow_sample_sources CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_SOURCE_DIR}/books/*.book
     ${CMAKE_CURRENT_SOURCE_DIR}/wordlists/*.words)
set(kestrow_installation ${CMAKE_BINARY_DIR}/installation)
set(kestrow_sample_stamp ${CMAKE_CURRENT_BINARY_DIR}/sample_installation.stamp)
# GLOBSET.DAT stands for the folder: the step runs again when the folder has been removed.
add_custom_command(
  OUTPUT ${kestrow_sample_stamp} ${kestrow_installation}/GLOBSET.DAT
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:mkinstall> ${CMAKE_CURRENT_SOURCE_DIR} ${kestrow_installation}
  COMMAND ${CMAKE_COMMAND} -E touch ${kestrow_sample_stamp}
  DEPENDS mkinstall ${kestrow_sample_sources}
  COMMENT "Making the sample installation"
  VERBATIM)
add_custom_target(sample_installation ALL DEPENDS ${kestrow_sample_stamp})
