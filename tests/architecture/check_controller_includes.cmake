cmake_minimum_required(VERSION 3.25)
# The window's controllers are handed their page, the document's edit path,
# the dialogs and the message boxes: none of them may reach for the whole
# main window again. SOURCE is the source folder, FILES the controllers
# separated by commas.
string(REPLACE "," ";" files "${FILES}")
set(faults "")
foreach(file IN LISTS files)
  file(READ "${SOURCE}/${file}" text)
  if(text MATCHES "#include \"app/receipt_main_form.h\"")
    string(APPEND faults "  ${file} includes the main window\n")
  endif()
  if(text MATCHES "ReceiptMainForm")
    string(APPEND faults "  ${file} names ReceiptMainForm\n")
  endif()
endforeach()
if(faults)
  message(FATAL_ERROR "A controller takes the whole main window:\n${faults}")
endif()
list(LENGTH files count)
message(STATUS "${count} controller files checked")
