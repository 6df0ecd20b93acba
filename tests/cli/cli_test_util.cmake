# Helpers of the command-line smoke scripts: run velmora-cli on a data folder and check its exit
# code and output. A script sets CLI (the program) and WORK (its own scratch folder) and includes
# this file.

# Runs velmora-cli on the data folder `dir`; fails unless it exits with expect_rc. out_var gets
# standard output and standard error together, ${out_var}_err standard error alone. A command that
# hangs fails here instead of holding the whole test run. CLI_WRAPPER, when set, runs before the
# program (e.g. flock holding the data-folder lock).
function(cli_in dir expect_rc out_var)
  execute_process(COMMAND ${CLI_WRAPPER} ${CLI} --data-dir ${dir} ${ARGN} TIMEOUT 300
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL expect_rc)
    message(FATAL_ERROR "velmora-cli --data-dir ${dir} ${ARGN}: exit ${rc}, expected ${expect_rc}\n${out}\n${err}")
  endif()
  set(${out_var} "${out}${err}" PARENT_SCOPE)
  set(${out_var}_err "${err}" PARENT_SCOPE)
endfunction()

# velmora-cli on the script's own data folder WORK.
function(cli expect_rc out_var)
  cli_in(${WORK} ${expect_rc} result ${ARGN})
  set(${out_var} "${result}" PARENT_SCOPE)
  set(${out_var}_err "${result_err}" PARENT_SCOPE)
endfunction()

function(expect_contains text what)
  string(FIND "${text}" "${what}" pos)
  if(pos EQUAL -1)
    message(FATAL_ERROR "expected to find [${what}] in:\n${text}")
  endif()
endfunction()

function(expect_not_contains text what)
  string(FIND "${text}" "${what}" pos)
  if(NOT pos EQUAL -1)
    message(FATAL_ERROR "did not expect [${what}] in:\n${text}")
  endif()
endfunction()

function(file_hash path out_var)
  file(SHA256 ${path} h)
  set(${out_var} ${h} PARENT_SCOPE)
endfunction()
