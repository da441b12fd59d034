# ondulane.exe carries its manifest where Windows looks for it (type 24,
# RT_MANIFEST, id 1), as XML Windows can read (a malformed manifest stops the
# program from starting), with what the dialogs' look, the scaling and the
# execution level and the code page of the A calls depend on.
#   cmake -DEXE=ondulane.exe -DVERSION=1.0.0.0 -DWORK=dir -P manifest_test.cmake
cmake_minimum_required(VERSION 3.25)
set(manifest ${WORK}/ondulane.exe.manifest)
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND wrestool -x --raw -t 24 -n 1 -o ${manifest} ${EXE} RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT EXISTS ${manifest})
  message(FATAL_ERROR "${EXE} has no manifest of id 1")
endif()

set(common_controls "//*[local-name()='dependentAssembly']/*[local-name()='assemblyIdentity']")
set(settings "//*[local-name()='windowsSettings']/*")
set(cases
  "/*[local-name()='assembly']/*[local-name()='assemblyIdentity']/@version" "${VERSION}"
  "${common_controls}/@name" "Microsoft.Windows.Common-Controls"
  "${common_controls}/@version" "6.0.0.0"
  "${common_controls}/@publicKeyToken" "6595b64144ccf1df"
  "${settings}[local-name()='gdiScaling' and namespace-uri()='http://schemas.microsoft.com/SMI/2017/WindowsSettings']" "true"
  "${settings}[local-name()='dpiAware' and namespace-uri()='http://schemas.microsoft.com/SMI/2005/WindowsSettings']" "false"
  "${settings}[local-name()='activeCodePage' and namespace-uri()='http://schemas.microsoft.com/SMI/2019/WindowsSettings']" "UTF-8"
  "//*[local-name()='supportedOS']/@Id" "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"
  "//*[local-name()='requestedExecutionLevel']/@level" "asInvoker")
while(cases)
  list(POP_FRONT cases path expected)
  execute_process(COMMAND xmllint --xpath "string(${path})" ${manifest}
                  RESULT_VARIABLE result OUTPUT_VARIABLE value ERROR_VARIABLE error)
  string(STRIP "${value}" value)
  if(NOT result EQUAL 0 OR NOT value STREQUAL expected)
    message(FATAL_ERROR "${path}: '${value}' instead of '${expected}' ${error}")
  endif()
endwhile()
