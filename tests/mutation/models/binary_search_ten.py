def run(x, step=1, le=False):
    a=list(range(1,11)); n=10; high=n-1; low=0; mid=(high+low)//2; seen={mid}
    while a[mid]!=x and low<high:
        mid=(high+low)//2; seen.add(mid)
        if (x<=a[mid] if le else x<a[mid]): high=mid-step
        else: low=mid+1
    return (x if x==a[mid] else 0), seen
allseen=set()
for x in range(0,12):
    r,s=run(x); allseen|=s
    print(x, r, run(x,2)[0], run(x,le=True)[0])
print(sorted(allseen))
