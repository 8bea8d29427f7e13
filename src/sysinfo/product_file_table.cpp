#include "sysinfo/product_file_table.h"

#include "sysinfo/sysinfo.h"

namespace qx::sysinfo {

// Rows 1 to 67: the executables, codes "A01" to "A67"; rows 68 to 167: the
// DLLs, codes "B01" to "B100". QXEDIT.EXE stands in rows 2 and 67; loaded
// in row order, the map keeps "A67" for it and holds 166 names.
const std::array<ProductFileRow, kProductFileRows> ProductFileTable = {{
    {"ORVANE55.EXE", "A01"}, {"QXEDIT.EXE", "A02"}, {"QXDEBUG.EXE", "A03"},
    {"QXBUILD.EXE", "A04"}, {"QXLINK.EXE", "A05"}, {"QXCOMP.EXE", "A06"},
    {"QXRUN.EXE", "A07"}, {"QXSETUP.EXE", "A08"}, {"QXINST.EXE", "A09"},
    {"QXUNINST.EXE", "A10"}, {"QXHELP.EXE", "A11"}, {"QXBETA.EXE", "A12"},
    {"QXREPORT.EXE", "A13"}, {"QXFORM.EXE", "A14"}, {"QXMENU.EXE", "A15"},
    {"QXICON.EXE", "A16"}, {"QXIMAGE.EXE", "A17"}, {"QXBASE.EXE", "A18"},
    {"QXQUERY.EXE", "A19"}, {"QXSQL.EXE", "A20"}, {"QXODBC.EXE", "A21"},
    {"QXIMPORT.EXE", "A22"}, {"QXEXPORT.EXE", "A23"}, {"QXCONV.EXE", "A24"},
    {"QXTRAD.EXE", "A25"}, {"QXDICO.EXE", "A26"}, {"QXPROJET.EXE", "A27"},
    {"QXVERSN.EXE", "A28"}, {"QXSOURCE.EXE", "A29"}, {"QXDIFF.EXE", "A30"},
    {"QXMERGE.EXE", "A31"}, {"QXTRACE.EXE", "A32"}, {"QXPROFIL.EXE", "A33"},
    {"QXMONIT.EXE", "A34"}, {"QXSERVER.EXE", "A35"}, {"QXCLIENT.EXE", "A36"},
    {"QXAGENT.EXE", "A37"}, {"QXSCHED.EXE", "A38"}, {"QXMAIL.EXE", "A39"},
    {"QXFAX.EXE", "A40"}, {"QXPRINT.EXE", "A41"}, {"QXETAT.EXE", "A42"},
    {"QXGRAPH.EXE", "A43"}, {"QXCHART.EXE", "A44"}, {"QXTABLE.EXE", "A45"},
    {"QXANALYS.EXE", "A46"}, {"QXWIZARD.EXE", "A47"}, {"QXMODELE.EXE", "A48"},
    {"QXCONFIG.EXE", "A49"}, {"QXREG.EXE", "A50"}, {"QXLICENC.EXE", "A51"},
    {"QXUPDATE.EXE", "A52"}, {"QXPATCH.EXE", "A53"}, {"QXBACKUP.EXE", "A54"},
    {"QXREST.EXE", "A55"}, {"QXCHECK.EXE", "A56"}, {"QXTEST.EXE", "A57"},
    {"QXAUTO.EXE", "A58"}, {"QXSCRIPT.EXE", "A59"}, {"QXMACRO.EXE", "A60"},
    {"QXCONSOL.EXE", "A61"}, {"QXDOC.EXE", "A62"}, {"QXCATAL.EXE", "A63"},
    {"ORVDEMO.EXE", "A64"}, {"LSTDLL16.EXE", "A65"}, {"QXWDK.EXE", "A66"},
    {"QXEDIT.EXE", "A67"}, {"QXRT32.DLL", "B01"}, {"QXRT16.DLL", "B02"},
    {"QXKERN32.DLL", "B03"}, {"QXKERN16.DLL", "B04"}, {"QXUSER32.DLL", "B05"},
    {"QXGDI32.DLL", "B06"}, {"QXFEN32.DLL", "B07"}, {"QXCTRL32.DLL", "B08"},
    {"QXDLG32.DLL", "B09"}, {"QXMENU32.DLL", "B10"}, {"QXEDIT32.DLL", "B11"},
    {"QXGRID32.DLL", "B12"}, {"QXLIST32.DLL", "B13"}, {"QXTREE32.DLL", "B14"},
    {"QXTAB32.DLL", "B15"}, {"QXBTN32.DLL", "B16"}, {"QXIMG32.DLL", "B17"},
    {"QXBMP32.DLL", "B18"}, {"QXJPEG32.DLL", "B19"}, {"QXGIF32.DLL", "B20"},
    {"QXPNG32.DLL", "B21"}, {"QXTIFF32.DLL", "B22"}, {"QXPRN32.DLL", "B23"},
    {"QXETAT32.DLL", "B24"}, {"QXFAX32.DLL", "B25"}, {"QXMAIL32.DLL", "B26"},
    {"QXMAPI32.DLL", "B27"}, {"QXSOCK32.DLL", "B28"}, {"QXHTTP32.DLL", "B29"},
    {"QXFTP32.DLL", "B30"}, {"QXNET32.DLL", "B31"}, {"QXODBC32.DLL", "B32"},
    {"QXSQL32.DLL", "B33"}, {"QXBASE32.DLL", "B34"}, {"QXHF32.DLL", "B35"},
    {"QXIDX32.DLL", "B36"}, {"QXCRYP32.DLL", "B37"}, {"QXZIP32.DLL", "B38"},
    {"QXLZH32.DLL", "B39"}, {"QXDDE32.DLL", "B40"}, {"QXOLE32.DLL", "B41"},
    {"QXCOM32.DLL", "B42"}, {"QXACTX32.DLL", "B43"}, {"QXAUTO32.DLL", "B44"},
    {"QXSCR32.DLL", "B45"}, {"QXMAC32.DLL", "B46"}, {"QXDBG32.DLL", "B47"},
    {"QXTRC32.DLL", "B48"}, {"QXPROF32.DLL", "B49"}, {"QXMEM32.DLL", "B50"},
    {"QXSTR32.DLL", "B51"}, {"QXDATE32.DLL", "B52"}, {"QXNUM32.DLL", "B53"},
    {"QXMATH32.DLL", "B54"}, {"QXSTAT32.DLL", "B55"}, {"QXGRAF32.DLL", "B56"},
    {"QXCHRT32.DLL", "B57"}, {"QXTXT32.DLL", "B58"}, {"QXRTF32.DLL", "B59"},
    {"QXHTML32.DLL", "B60"}, {"QXXML32.DLL", "B61"}, {"QXCSV32.DLL", "B62"},
    {"QXDBF32.DLL", "B63"}, {"QXIMP32.DLL", "B64"}, {"QXEXP32.DLL", "B65"},
    {"QXCONV32.DLL", "B66"}, {"QXTRAD32.DLL", "B67"}, {"QXDICO32.DLL", "B68"},
    {"QXLANG32.DLL", "B69"}, {"QXFR32.DLL", "B70"}, {"QXEN32.DLL", "B71"},
    {"QXDE32.DLL", "B72"}, {"QXRES32.DLL", "B73"}, {"QXICON32.DLL", "B74"},
    {"QXCUR32.DLL", "B75"}, {"QXSND32.DLL", "B76"}, {"QXMM32.DLL", "B77"},
    {"QXVID32.DLL", "B78"}, {"QXTWN32.DLL", "B79"}, {"QXSCAN32.DLL", "B80"},
    {"QXCOMM32.DLL", "B81"}, {"QXSER32.DLL", "B82"}, {"QXMODM32.DLL", "B83"},
    {"QXTAPI32.DLL", "B84"}, {"QXREG32.DLL", "B85"}, {"QXINI32.DLL", "B86"},
    {"QXCFG32.DLL", "B87"}, {"QXLIC32.DLL", "B88"}, {"QXSEC32.DLL", "B89"},
    {"QXUPD32.DLL", "B90"}, {"QXWIZ32.DLL", "B91"}, {"QXHELP32.DLL", "B92"},
    {"QXDOC32.DLL", "B93"}, {"QXSPEL32.DLL", "B94"}, {"ORVRT32.DLL", "B95"},
    {"ORVRT16.DLL", "B96"}, {"ORVUTIL.DLL", "B97"}, {"ORVLNK32.DLL", "B98"},
    {"ORVDBG16.DLL", "B99"}, {"CTL3DQX.DLL", "B100"},
}};

void LoadProductCodes(CReportRecord& record)
{
    for (const ProductFileRow& row : ProductFileTable) record.m_mapProductCodes[row.fileName] = row.code;
}

} // namespace qx::sysinfo
