# cmake -DRSVG=rsvg-convert -DSVG=icon.svg -DOUT=folder -P WindowsIconSizes.cmake
# Draws icon-<size>.png for each size a Windows icon holds.
foreach(size 16 20 24 32 40 48 64 256)
  execute_process(COMMAND ${RSVG} -w ${size} -h ${size} -o ${OUT}/icon-${size}.png ${SVG}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
