# Sourced by test.sh: a CUPS server with a PDF queue as the default printer,
# which Wine shows as a Windows printer. cups-pdf writes to $HOME/PDF.
veltra_start_printing() {
  local -n _pids=$1
  command -v cupsd >/dev/null || return 0
  if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    cupsd -f &
    _pids+=($!)
    for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.2; done
  fi
  if ! lpstat -p VeltraPDF >/dev/null 2>&1; then
    lpadmin -p VeltraPDF -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E 2>/dev/null ||
      lpadmin -p VeltraPDF -v cups-pdf:/ -m everywhere -E 2>/dev/null || true
  fi
  lpadmin -d VeltraPDF 2>/dev/null || true
  export VELTRA_PDF_DIR="${HOME}/PDF"
}
