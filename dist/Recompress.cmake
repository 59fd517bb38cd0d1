# Run by CPack once a generator has made its packages (CPACK_PACKAGE_FILES):
# the xz data of each .deb and .tar.xz is compressed again with `xz -9`,
# the rest of the package left as it is.
find_program(XZ xz)
find_program(AR ar)
if(NOT XZ)
  message(FATAL_ERROR "xz is needed to compress the packages")
endif()

# `from` compressed again into `to`.
function(recompress from to)
  execute_process(COMMAND ${XZ} -dc ${from} COMMAND ${XZ} -9 -T${CPACK_THREADS} -c
                  OUTPUT_FILE ${to} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "xz could not compress ${from} again: ${failed}")
  endif()
endfunction()

foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.tar\\.xz$")
    recompress(${package} ${package}.new)
    file(RENAME ${package}.new ${package})
  elseif(package MATCHES "\\.deb$")
    if(NOT AR)
      message(FATAL_ERROR "ar is needed to compress the .deb")
    endif()
    set(work ${package}.members)
    file(REMOVE_RECURSE ${work})
    file(MAKE_DIRECTORY ${work})
    # Its members in their order: debian-binary, control, data.
    execute_process(COMMAND ${AR} t ${package} OUTPUT_VARIABLE members RESULT_VARIABLE failed)
    execute_process(COMMAND ${AR} x ${package} WORKING_DIRECTORY ${work} RESULT_VARIABLE failed_x)
    if(failed OR failed_x OR NOT EXISTS ${work}/data.tar.xz)
      message(FATAL_ERROR "${package} holds no data.tar.xz")
    endif()
    string(STRIP "${members}" members)
    string(REPLACE "\n" ";" members "${members}")
    recompress(${work}/data.tar.xz ${work}/data.tar.xz.new)
    file(RENAME ${work}/data.tar.xz.new ${work}/data.tar.xz)
    file(REMOVE ${package})
    # Deterministic: no owner or time in the archive's own headers.
    execute_process(COMMAND ${AR} rcD ${package} ${members} WORKING_DIRECTORY ${work} RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "ar could not make ${package} again")
    endif()
    file(REMOVE_RECURSE ${work})
  endif()
endforeach()
