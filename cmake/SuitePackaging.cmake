# Where the suite installs, and the tarball `cpack` makes of an install:
# programs and runner in bin/, the runtime in lib/ and include/, the golden
# cases in share/<project>/cases, where the installed runner looks by default.
include(GNUInstallDirs)

set(SUITE_CASES_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/${PROJECT_NAME}/cases)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/tests/cases/ DESTINATION ${SUITE_CASES_INSTALL_DIR}
        COMPONENT cases PATTERN "*.actual" EXCLUDE)
# The known faults' signatures, beside the cases, where the runner looks for
# them to diagnose a failing run.
install(FILES ${PROJECT_SOURCE_DIR}/tests/faults/signatures.json
        DESTINATION ${CMAKE_INSTALL_DATADIR}/${PROJECT_NAME}/faults COMPONENT cases)

set(CPACK_PACKAGE_NAME conformance-suite)
set(CPACK_PACKAGE_VENDOR "conformance suite developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Deterministic test programs, their golden cases, the runner and the runtime library")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME
    ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_GENERATOR TGZ)
set(CPACK_SOURCE_GENERATOR "")
# Every component goes into the one tarball.
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
include(CPack)
