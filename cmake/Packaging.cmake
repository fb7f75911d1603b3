# The Debian package, made by `cpack -G DEB` in a build folder (scripts/package
# does it all): everything the install puts under the prefix, in /usr.

set(CPACK_PACKAGE_NAME zeltomir)
set(CPACK_PACKAGE_VENDOR Zeltomir)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Zeltomir maintainers <maintainers@zeltomir.org>"
    CACHE STRING "Maintainer of the Debian package, as Name <address>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sequential simplex optimisation for experimenters")
set(CPACK_PACKAGE_DESCRIPTION
    "Zeltomir leads an experimenter through evolutionary operation with the
sequential simplex method: define the factors and their limits, run the trials
of the initial simplex, type in each measured response, and the program
proposes the next trial (reflection, extension or contraction) one step at a
time. A vertex summary, a plot of the run and advice on when to stop come with
it, and practice exercises on simulated processes for learners of the design
of experiments.

The package holds the program zeltomir, the command-line runner zeltomir-cli
for driving the optimiser from scripts, and the user manual as PDF.")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# zeltomir_<version>_<arch>.deb, the name Debian's tools expect.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The libraries come from the binaries themselves (dpkg-shlibdeps). Qt loads
# its platform plugins at run time, which no link line shows: without
# qt6-qpa-plugins the program cannot open a window.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# Help opens the manual with the desktop's opener (xdg-open), which shows it
# in whatever PDF viewer is installed; without either the program says where
# the manual is.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS pdf-viewer)
# No maintainer scripts: Debian's triggers refresh the desktop, MIME and icon
# caches when a package adds files to their folders.

include(CPack)
