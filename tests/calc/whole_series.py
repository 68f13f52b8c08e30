"""The series the table generators check mpmath's digits against, in whole
numbers: atan(1/x) and atanh(1/x) times a unity."""


def arctan_inverse(x, unity, alternate=True):
    """atan(1/x) * unity (atanh's with `alternate` false), in whole numbers."""
    total = term = unity // x
    k, sign = 1, -1 if alternate else 1
    while term:
        term //= x * x
        total += sign * (term // (2 * k + 1))
        sign, k = (-sign if alternate else sign), k + 1
    return total
