"""What the scripts in scripts/ share: the benches' report module and their Python helpers (beside
the shell fragments they source)."""
