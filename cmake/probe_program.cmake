# kelmor_add_probe_program(target output_name windows_main sim_main folder): a probe program built
# for both sides, a static console program on Windows (run under Wine) and a program on the
# simulated desktop written to build/<folder>, whose outputs are compared.
function(kelmor_add_probe_program target output_name windows_main sim_main folder)
  if(WIN32)
    add_executable(${target} ${windows_main})
    target_link_options(${target} PRIVATE -static-libgcc -static-libstdc++ -static)
  else()
    add_executable(${target} ${sim_main})
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/${folder})
  endif()
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${output_name})
endfunction()
