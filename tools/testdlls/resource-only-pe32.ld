/* A 32-bit DLL that holds nothing but its resources. */
SECTIONS
{
  . = SIZEOF_HEADERS;
  . = ALIGN(__section_alignment__);
  .rsrc __image_base__ + (__section_alignment__ < 0x1000 ? . : __section_alignment__) : { *(.rsrc) *(.rsrc$*) }
}
