# embed_file(OUT_VAR FILE SYMBOL): makes an assembler source that carries FILE in the
# read-only data as SYMBOL_begin .. SYMBOL_end, and puts its path into OUT_VAR.
set(SKIRMORA_EMBED_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/embed.S.in)
function(embed_file out_var file symbol)
  set(EMBED_FILE ${file})
  set(EMBED_SYMBOL ${symbol})
  set(asm ${CMAKE_BINARY_DIR}/embed/${symbol}.S)
  configure_file(${SKIRMORA_EMBED_TEMPLATE} ${asm} @ONLY)
  set_source_files_properties(${asm} PROPERTIES OBJECT_DEPENDS ${file})
  set(${out_var} ${asm} PARENT_SCOPE)
endfunction()
