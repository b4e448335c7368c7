# Run by CPack once it has installed the package's files into its staging
# folder, before it packs them: removes the .comment and .note sections from
# the programs, which a plain strip keeps and nothing reads at run time.
file(GLOB programs "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/*")
if(NOT programs)
    message(FATAL_ERROR "no program in ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin")
endif()
foreach(program IN LISTS programs)
    execute_process(
        COMMAND "${CPACK_VELTRANO_STRIP}" --remove-section=.comment --remove-section=.note "${program}"
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
