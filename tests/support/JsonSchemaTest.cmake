# quel_add_json_schema_test(NAME name SCHEMA schema.json COMMAND program [args...])
# A test that runs the program and checks what it prints on stdout against the
# JSON Schema with validate-json.sh; a program that is a target of this build
# is found by its target name.
function(quel_add_json_schema_test)
  cmake_parse_arguments(PARSE_ARGV 0 ARG "" "NAME;SCHEMA" "COMMAND")
  list(POP_FRONT ARG_COMMAND program)
  if(TARGET ${program})
    set(program $<TARGET_FILE:${program}>)
  endif()
  add_test(NAME ${ARG_NAME}
    COMMAND bash ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/validate-json.sh ${ARG_SCHEMA}
            -- ${program} ${ARG_COMMAND})
endfunction()
