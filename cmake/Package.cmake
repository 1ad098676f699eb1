# The Debian package, made by CPack from the installation ("./dev package").
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvik)
set(CPACK_PACKAGE_VENDOR "The Tarvik developers")
set(CPACK_PACKAGE_CONTACT "The Tarvik developers <tarvik@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "maintenance tool for a satellite TV receiver")
set(CPACK_PACKAGE_DESCRIPTION
  "Uploads boot loader, application, transponder and channel images into a digital satellite\n"
  "TV receiver over a serial port, downloads its channel data, edits transponder and channel\n"
  "data, and fetches transponder data over HTTP. Comes with a command-line front end, the four\n"
  "image converters, a simulated receiver and a local satellite-data service.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# The libraries come from the executables; the platform plugins are loaded, not linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The local satellite-data service serves these tables.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "dtv-scan-tables")
include(CPack)
