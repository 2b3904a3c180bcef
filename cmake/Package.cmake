# cpack -G DEB (in the build folder): a Debian package of what `cmake
# --install` installs, under /usr. Its dependencies on Debian's shared
# libraries are found by dpkg-shlibdeps (package dpkg-dev).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME heatpump)
set(CPACK_PACKAGE_CONTACT "Heat pump calculator developers <heatpump@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Vapour-compression heat pump calculator with its own property library")
set(CPACK_PACKAGE_DESCRIPTION
    "Sizes heat pumps that heat water and compares refrigerants under the same conditions, "
    "with real-fluid properties from multiparameter equations of state for 131 pure fluids "
    "and their blends. The desktop program heatpump, the command-line calculator hpcalc "
    "and the Python module heatpump.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Tahoma face of the pages, and the desktop's opener for the document.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wine, xdg-utils")
# The Python module is built for one minor version of python3, and takes
# numpy arrays.
math(EXPR python_next_minor "${Python3_VERSION_MINOR} + 1")
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "python3 (>= ${Python3_VERSION_MAJOR}.${Python3_VERSION_MINOR}~), python3 (<< ${Python3_VERSION_MAJOR}.${python_next_minor}), python3-numpy")
include(CPack)
