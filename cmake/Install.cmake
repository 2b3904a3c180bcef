# The installed layout: the build's bin/ folder again, in a folder of its own
# (lib/heatpump: the two programs, libfluidcore.so, hpcalc's drawing library
# libhpcalc_pictures.so, fluids/, mixtures/ and doc/), so that the programs
# find the libraries and the data beside themselves exactly as in the build
# tree. bin/ holds links to the programs; a program started through its link
# still finds everything beside its real file.
set(HEATPUMP_INSTALL_DIR lib/heatpump)

# Installs bin/<program> as a relative link to the program's installed file.
function(heatpump_install_program_link program)
  file(RELATIVE_PATH target /${CMAKE_INSTALL_BINDIR} /${HEATPUMP_INSTALL_DIR}/${program})
  install(CODE "
    set(bin_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    message(STATUS \"Installing: \${bin_dir}/${program} -> ${target}\")
    file(MAKE_DIRECTORY \"\${bin_dir}\")
    file(CREATE_LINK \"${target}\" \"\${bin_dir}/${program}\" SYMBOLIC)")
endfunction()
