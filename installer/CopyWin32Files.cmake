# cmake -DFROM=<win32 bin> -DTO=<folder> -P CopyWin32Files.cmake
# Copies the 32-bit program and help library into TO, leaving a copy that is already the same
# untouched (so nothing that depends on it is made again), and stops when one is missing.
file(MAKE_DIRECTORY "${TO}")
foreach(file "Zentra!.exe" "Zentra!.dll")
    if(NOT EXISTS "${FROM}/${file}")
        message(FATAL_ERROR "${FROM}/${file} is missing: the win64 packages take the 32-bit program "
                            "and help library from the win32 build. Build them first: cmake --preset "
                            "win32 && cmake --build --preset win32 --target zentra-gui zentra_helptab")
    endif()
    file(COPY_FILE "${FROM}/${file}" "${TO}/${file}" ONLY_IF_DIFFERENT)
endforeach()
