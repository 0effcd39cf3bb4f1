# The manual pages are installed in share/man instead of share/man/man1.
# file: packaging/CMakeLists.txt
s@DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)@DESTINATION ${CMAKE_INSTALL_MANDIR})@
