#!/usr/bin/env bash
# Saves what tessaly-cli and the editor's windows put out for a fixed set of inputs, so that
# two builds can be compared with diff -r (a change meant to keep behaviour must keep them all):
#   snapshot-outputs.sh BUILD_DIR OUT_DIR
# OUT_DIR must lie outside the source tree. The inputs are the maps of tests/data, every file
# of the fuzz corpora and a set of maps written here that reach every protocol's header lines
# and their edge cases. For each map: format, format --sort, encode (with the image), decode
# of that image for every device, export-csv, diff against tests/data/plant.zrp and check;
# every image corpus file decoded; every old-format file imported under every protocol; every
# table imported into every map. Then the accessible-name walk over AT-SPI, the offscreen
# accessible-name test and a dump of every window's controls and tab order.
set -u
build=$(cd "${1:?usage: snapshot-outputs.sh BUILD_DIR OUT_DIR}" && pwd)
out=${2:?usage: snapshot-outputs.sh BUILD_DIR OUT_DIR}
src=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$(dirname "$out")"
case "$(cd "$(dirname "$out")" && pwd)/" in
"$src"/*) echo "snapshot-outputs: $out lies inside the source tree" >&2; exit 2 ;;
esac
cli=$build/cli/tessaly-cli
rm -rf "$out"
mkdir -p "$out/inputs" "$out/cli"
out=$(cd "$out" && pwd)

# The inputs, copied under relative names so that messages naming them do not depend on where
# the trees lie.
cd "$out/inputs"
cp "$src"/tests/data/*.zrp .
for f in "$src"/fuzz/corpus/*/*; do cp "$f" "corpus_$(basename "$(dirname "$f")")_$(basename "$f")"; done

regs='40001 0 1 1 0 0 F:1 FdrPercentOfLine 100 0 1
40002 1 2 0 6 2 F:0 Massflow
40005 0 1 2 0 0 F:2 Setpoint 3
41025 0 1 3 0 0 F:0
F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:1
XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX CRUN
OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF HIT
41026 0 1 4 0 0 F:0
F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0
XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX ASR PSR
0 0 0 0 0 0 0 0 0 0 0 0 0 0 3 1
41027 0 4 9 0 2 F:0 FeederName'
block_regs='0 0 1 0 0 0 F:0 Massflow
2 0 2 7 0 0 F:0 Setpoint
300 0 1 0 0 0 F:0 Totals
1024 0 2 7 0 0 F:0 Setpoint
1030 0 1 3 0 0 F:0
F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:1
XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX CRUN
OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF OFF HIT'
serial() { printf 'PLC_CHAN %s\nREGMAX %s\nNODENUM %s\n' "$1" "$2" "$3"; }
map() { # name, device line (empty: none), header lines, registers
  { [ -n "$2" ] && echo "$2"; printf '%s\n' "$3"; echo HREG; printf '%s\n' "$4"; } >"gen_$1.zrp"
}
map generic_no_device_line "" "junk line
$(serial '115200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST' 100 5)" "$regs"
map generic "BLF Generic protocol protocol" "$(serial '9600 ASCII 7 ODD_PARITY 2STOPBITS LSBYTE_FIRST' 77 3)" "$regs"
map ab_rdx_7bits "RDX Allen-Bradley protocol" "$(serial '38400 CRC 7 EVEN_PARITY 2STOPBITS MSBYTE_FIRST' 65535 4)
extra line" "$regs"
map ab_wnt "WNT Allen-Bradley protocol" "$(serial '9600 RTU 7 ODD_PARITY 1STOPBIT LSBYTE_FIRST' 65535 1)" "$regs"
map modbus_hqp_ascii "HQP Modbus protocol" "$(serial '57600 ASCII 7 EVEN_PARITY 1STOPBIT LSBYTE_FIRST' 65535 9)" "$regs"
map siemens_blf_ascii "BLF Siemens protocol" "$(serial '57600 ASCII 8 NOPARITY 2STOPBITS MSBYTE_FIRST' 200 2)" "$regs"
map mbplus "WNT Modbus+ protocol" "$(serial '19200 RTU 8 NOPARITY 1STOPBIT LSBYTE_FIRST' 65535 12)
MBPLUS 1 2 3
MBPLUS 3 0x10 010" "$regs"
map mbtcp_odd_addresses "RDX Modbus/TCP protocol" "$(serial '19200 RTU 8 NOPARITY 1STOPBIT LSBYTE_FIRST' 65535 0)
MBTCP 300.0.0.1 10.1.2 1.2.3.45678901234567890123" "$regs"
map mbtcp_short_line "HQP Modbus/TCP protocol" "$(serial '19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST' 65535 0)
MBTCP 192.168.1.20" "$regs"
map profibus "RDX Profibus protocol" "$(serial '19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST' 65535 0)
PROFIBUS 244 0x64 99" "$(printf '%s\n' "$block_regs")"
map profinet "WNT ProfinetIO protocol" "$(serial '19200 RTU 8 NOPARITY 1STOPBIT LSBYTE_FIRST' 100 5)
PROFINET_IO 10.0.0.7 255.255.0.0 10.0.0.1 1536 0x20" "$block_regs"
map profinet_long_words "RDX ProfinetIO protocol" "$(serial '19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST' 65535 0)
PROFINET_IO 1.2.3.45678901234567890123 255.255.255.0 10.0.0.1 12 34" "$block_regs"
inputs_12='INPUT_BLOCK 0/16
INPUT_BLOCK 16/8
INPUT_BLOCK 24/0
INPUT_BLOCK 0/0
INPUT_BLOCK 0/0
INPUT_BLOCK 300/10
INPUT_BLOCK 320/20
INPUT_BLOCK 0/0
INPUT_BLOCK 0/0
INPUT_BLOCK 0/0
INPUT_BLOCK 0/0
INPUT_BLOCK 7/7
OUTPUT_BLOCK 0/32
OUTPUT_BLOCK 40/4
OUTPUT_BLOCK 1/1
OUTPUT_BLOCK 2/2
OUTPUT_BLOCK 3/3
OUTPUT_BLOCK 500/12'
map devicenet_blocks "HQP DeviceNet protocol" "$(serial '19200 RTU 8 NOPARITY 1STOPBIT LSBYTE_FIRST' 65535 0)
DEVICENET 99 98
$inputs_12" "$block_regs"
map devicenet_no_blocks "RDX DeviceNet protocol" "$(serial '19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST' 65535 0)
DEVICENET 0 0" ""
map ethip_blocks "WNT Ethernet/IP protocol" "$(serial '19200 RTU 8 NOPARITY 1STOPBIT LSBYTE_FIRST' 65535 0)
ETHIP 10.0.0.2 255.0.0.0 10.0.0.1 5 6
$inputs_12" "$block_regs"
map ethip_long_words "RDX Ethernet/IP protocol" "$(serial '19200 RTU 8 NOPARITY 1STOPBIT LSBYTE_FIRST' 65535 0)
ETHIP 1.2.3.45678901234567890123 300.1.1.1 10.0.0.1
INPUT_BLOCK 0/64" "$block_regs"
map unknown_protocol "RDX Fieldbus protocol" "$(serial '19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST' 65535 0)" "$regs"
printf 'RDX Modbus+ protocol\n%s\nMBPLUS 1 2 3\n' "$(serial '19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST' 65535 0)" >gen_no_hreg.zrp
printf 'RDX Modbus protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\nREGMAX 5\n' >gen_no_nodenum.zrp

# run NAME COMMAND...: stdout, stderr and the exit status of one command.
run() {
  local name=$1
  shift
  mkdir -p "$out/cli/$(dirname "$name")"
  "$@" >"$out/cli/$name.out" 2>"$out/cli/$name.err" </dev/null
  echo $? >"$out/cli/$name.rc"
}
device_of() {
  local word
  word=$(head -c 3 "$1" 2>/dev/null | tr -d '\0')
  case "$word" in BLF | RDX | WNT | HQP) echo "$word" ;; *) echo BLF ;; esac
}

mkdir -p "$out/images"
for f in *; do
  [ -f "$f" ] || continue
  run "format/$f" "$cli" format "$f"
  run "format-sort/$f" "$cli" format --sort "$f"
  run "export-csv/$f" "$cli" export-csv "$f"
  run "diff/$f" "$cli" diff "$f" plant.zrp
  run "check/$f" "$cli" check "$f"
  run "encode/$f" "$cli" encode "$f" -o "$out/images/$f.bin"
  if [ -f "$out/images/$f.bin" ]; then
    for device in BLF RDX WNT HQP; do
      run "decode-encoded/$f.$device" "$cli" decode "$out/images/$f.bin" --device "$device"
    done
  fi
done
run check-catalogue/plant.zrp "$cli" check plant.zrp --catalogue "$src/resources/params.lst"
# The image corpus: the first byte picks the device, the rest is the image.
devices=(BLF RDX WNT HQP)
for f in corpus_image_decoder_*; do
  tail -c +2 "$f" >"$out/images/$f.raw"
  first=$(head -c 1 "$f" | od -An -tu1 | tr -d ' ')
  run "decode-corpus/$f" "$cli" decode "$out/images/$f.raw" --device "${devices[$(( ${first:-0} % 4 ))]}"
done
for f in corpus_converter_*; do
  for protocol in Allen-Bradley Modbus Siemens Profibus Modbus/TCP Modbus+ DeviceNet Ethernet/IP ProfinetIO; do
    p=${protocol//\//_}
    mkdir -p "$out/import/$f.$p"
    (cd "$out/import/$f.$p" && cp "$out/inputs/$f" old.zrp &&
      run "import/$f.$p" "$cli" import old.zrp new.zrp --device HQP --protocol "$protocol" && rm old.zrp)
  done
done
for t in corpus_register_table_*; do
  for m in plant.zrp gen_*.zrp; do
    run "import-csv/$t.$m" "$cli" import-csv "$t" --into "$m"
  done
done

# The windows.
cd "$src"
run a11y/atspi-walk bash tests/a11y/run_atspi_walk.sh "$build/tests/a11y/a11y_windows"
sed -i -E 's/^([0-9]+ windows, [0-9]+ controls), [0-9.]+ s$/\1/' "$out/cli/a11y/atspi-walk.out"
# The session bus's own lines name its process ids.
sed -i -E '/^dbus-daemon\[/d' "$out/cli/a11y/atspi-walk.err"
run a11y/offscreen env QT_QPA_PLATFORM=offscreen "$build/tests/a11y/tst_accessible_names"
sed -i -E -e 's/[0-9]+ms/Nms/g' -e 's/(Qt [0-9.]+|Config: .*)$/Qt/' "$out/cli/a11y/offscreen.out"
run a11y/window-dump env QT_QPA_PLATFORM=offscreen "$build/tests/a11y/a11y_windows" --dump
echo "snapshot-outputs: $(find "$out/cli" -name '*.rc' | wc -l) outputs in $out"
