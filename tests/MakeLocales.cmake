# Makes the locales some tests need (en_US.UTF-8, de_DE.UTF-8) in DIR with
# localedef, which needs no root for a folder of its own; the tests find
# them through LOCPATH. The sources are Debian's "locales" package.
foreach(name IN ITEMS en_US de_DE)
  set(out "${DIR}/${name}.UTF-8")
  if(EXISTS "${out}/LC_MEASUREMENT" AND EXISTS "${out}/LC_NUMERIC" AND EXISTS "${out}/LC_CTYPE")
    continue()
  endif()
  file(REMOVE_RECURSE "${out}")
  file(MAKE_DIRECTORY "${DIR}")
  execute_process(COMMAND localedef -i ${name} -f UTF-8 "${out}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE text ERROR_VARIABLE text)
  # localedef also exits 1 for mere warnings; what counts is what it wrote.
  if(NOT EXISTS "${out}/LC_MEASUREMENT" OR NOT EXISTS "${out}/LC_NUMERIC" OR NOT EXISTS "${out}/LC_CTYPE")
    message(FATAL_ERROR "localedef could not make ${name}.UTF-8 (exit ${rc}): ${text}")
  endif()
endforeach()
