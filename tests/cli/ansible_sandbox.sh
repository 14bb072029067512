# Sourced by the fleet tests: skips the test where ansible-core is missing,
# else makes $work, a folder of the test's own (removed at the end) that is
# its HOME and Ansible's temporary folder, with an empty ansible.cfg so that
# no configuration of the caller or the system changes the run.
command -v ansible-playbook >/dev/null || { echo "SKIPPED: ansible-playbook not installed (ansible-core)"; exit 0; }
work=$(mktemp -d)
cd "$work" && : >ansible.cfg
trap 'rm -rf "$work"' EXIT
export HOME=$work ANSIBLE_LOCAL_TEMP=$work/tmp ANSIBLE_REMOTE_TEMP=$work/tmp ANSIBLE_NOCOLOR=1 \
  ANSIBLE_HOST_KEY_CHECKING=False ANSIBLE_RETRY_FILES_ENABLED=False
