# The installed layout: the build's bin/ folder again, in a folder of its own
# (lib/heatpump: the two programs, libfluidcore.so, hpcalc's drawing library
# libhpcalc_pictures.so, fluids/, mixtures/ and doc/), so that the programs
# find the libraries and the data beside themselves exactly as in the build
# tree. bin/ holds links to the programs; a program started through its link
# still finds everything beside its real file. The Python package lies where
# Debian's python3 finds it, with links to the library and the data
# (python/CMakeLists.txt).
set(HEATPUMP_INSTALL_DIR lib/heatpump)

# Installs <link> as a relative symbolic link to <target>, both paths under
# the prefix.
function(heatpump_install_link link target)
  get_filename_component(link_dir /${link} DIRECTORY)
  file(RELATIVE_PATH relative ${link_dir} /${target})
  install(CODE "
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${link}\")
    message(STATUS \"Installing: \${link} -> ${relative}\")
    get_filename_component(link_dir \"\${link}\" DIRECTORY)
    file(MAKE_DIRECTORY \"\${link_dir}\")
    file(CREATE_LINK \"${relative}\" \"\${link}\" SYMBOLIC)")
endfunction()

# Installs bin/<program> as a relative link to the program's installed file.
function(heatpump_install_program_link program)
  heatpump_install_link(${CMAKE_INSTALL_BINDIR}/${program} ${HEATPUMP_INSTALL_DIR}/${program})
endfunction()
