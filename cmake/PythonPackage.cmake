# The Python module's own Debian package, python3-lurkfield, made beside
# lurkfield by the same cpack -G DEB: the module is the install component
# "python" (python/CMakeLists.txt), everything else the component CMake names
# Unspecified, and each component becomes one package:
#   lurkfield_VERSION_amd64.deb          the programs and their files, as before
#   python3-lurkfield_VERSION_amd64.deb  /usr/lib/python3/dist-packages/lurkfield/
#                                        and its copyright and changelog
# python3-lurkfield needs the interpreter of the module's ABI (Debian's
# python3 of that version), numpy and pandas; the shared libraries' packages
# are found by dpkg-shlibdeps as for the programs. It does not need lurkfield:
# the module holds the simulation itself.
if(NOT TARGET lurkfield-python)
  return()
endif()
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Unspecified python)
set(CPACK_DEBIAN_UNSPECIFIED_PACKAGE_NAME lurkfield)
# CPack puts the one CPACK_PACKAGE_DESCRIPTION_SUMMARY in front of every
# package's description: here each description begins with its own summary
# instead, and CPack's default summary, which it leaves out, stands in.
set(CPACK_COMPONENT_UNSPECIFIED_DESCRIPTION
    "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}\n${CPACK_PACKAGE_DESCRIPTION}")
unset(CPACK_PACKAGE_DESCRIPTION_SUMMARY)
set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-lurkfield)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
# The interpreter of the module's ABI, as Debian's own extension modules ask for it.
math(EXPR lurkfield_python_next "${LURKFIELD_PYTHON_MINOR} + 1")
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
    "python3 (>= ${LURKFIELD_PYTHON_MAJOR}.${LURKFIELD_PYTHON_MINOR}~), python3 (<< ${LURKFIELD_PYTHON_MAJOR}.${lurkfield_python_next}), python3-numpy, python3-pandas")
set(CPACK_DEBIAN_PYTHON_PACKAGE_RECOMMENDS "python3-tqdm")
# Debian shows each line as it stands: none may be longer than 80 characters.
set(CPACK_COMPONENT_PYTHON_DESCRIPTION "Lurkfield's predator-and-prey simulation as a Python module
The module lurkfield runs the simulation of Lurkfield, a turn-based
predator-and-prey game on a grid, from Python: worlds stepped turn by turn,
their boards as numpy arrays and as pictures, and sweeps over settings on
every core or on a concurrent.futures executor, returned as pandas frames.
It plays exactly the games of lurkfield-text and lurkfield-sweep.")
install(FILES ${lurkfield_debian}/copyright ${lurkfield_debian}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/python3-lurkfield COMPONENT python)
